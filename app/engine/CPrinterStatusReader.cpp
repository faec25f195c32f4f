#include "CPrinterStatusReader.h"

#include "CPrintQueueAdmin.h"
#include "CPrinterInstaller.h"
#include "EnginePlatform.h"

#include <corvane/CRegStore.h>
#include <corvane/CZqSyncSocketCom.h>
#include <corvane/EthPrinterFunctions.h>

#include <array>

namespace {

using Kind = CPrinterStatus::Kind;
using Value = CPrinterStatus::Value;
using RawFunction = DWORD (*)(std::wstring, BYTE*, DWORD*, DWORD*);
using NumberFunction = DWORD (*)(std::wstring, DWORD*, DWORD*);
using FlagFunction = DWORD (*)(std::wstring, int&, DWORD*);

struct Entry {
  const char* pszKey;
  const char* pszLabel;
  const char* pszUnit;
  Kind kind;
  RawFunction raw = nullptr;
  DWORD dwRoom = 0;  // answer bytes of a raw function
  NumberFunction number = nullptr;
  FlagFunction flag = nullptr;
};

const std::array<Entry, 15> kEntries = {{
    {"status_bytes", "Status bytes", "", Kind::kBytes, GetStatusEth, 6},
    {"gsi", "GSI byte", "", Kind::kBytes, GetGSIEth, 1},
    {"release", "Firmware release", "", Kind::kBytes, GetReleaseEth, 4},
    {"head_temperature", "Head temperature", "", Kind::kBytes, GetHeadTempEth, 6},
    {"supply_voltage", "Supply voltage", "", Kind::kBytes, GetPowVoltageEth, 6},
    {"power_on_count", "Power-on count", "", Kind::kNumber, nullptr, 0, GetTotNumOfPowerOnEth},
    {"cut_count", "Cut count", "", Kind::kNumber, nullptr, 0, GetNumTotCutEth},
    {"retract_count", "Retract count", "", Kind::kNumber, nullptr, 0, GetTotNumOfRetractEth},
    {"paper_remaining", "Paper remaining", "cm", Kind::kNumber, nullptr, 0,
     GetTotPaperRemainingEth},
    {"paper_printed", "Paper printed", "cm", Kind::kNumber, nullptr, 0, GetTotPaperPrintedEth},
    {"time_to_cut", "Time to cut", "", Kind::kNumber, nullptr, 0, GetTimeToCutEth},
    {"retract_enabled", "Retract", "", Kind::kFlag, nullptr, 0, nullptr, GetRetractEnDisEth},
    {"notch_enabled", "Notch", "", Kind::kFlag, nullptr, 0, nullptr, GetNotchEnDisEth},
    {"notch_distance", "Notch distance", "", Kind::kNumber, nullptr, 0, GetNotchDistanceEth},
    {"notch_threshold", "Notch threshold", "V", Kind::kVolts},
}};

// Results that say the queue or its link is not set up (no printer, no
// address, no port, no protocol, internal error): asking on is pointless.
bool IsSetUpFailure(DWORD dwResult) {
  return dwResult >= CZqSyncSocketCom::kNoPrinter && dwResult <= SOCKET_ERROR_INTERNAL;
}
bool IsNoContact(DWORD dwResult) {
  return dwResult == CZqSyncSocketCom::kSocketCreate || dwResult == CZqSyncSocketCom::kConnect ||
         dwResult == CZqSyncSocketCom::kSendFailed || dwResult == CZqSyncSocketCom::kReceiveFailed;
}

}  // namespace

std::vector<CPrinterStatus::Value> CPrinterStatusReader::Blank() {
  std::vector<Value> values;
  for (const Entry& entry : kEntries) {
    Value value{};
    value.pszKey = entry.pszKey;
    value.pszLabel = entry.pszLabel;
    value.pszUnit = entry.pszUnit;
    value.kind = entry.kind;
    values.push_back(value);
  }
  return values;
}

DWORD CPrinterStatusReader::Ask(const std::wstring& strQueue, std::size_t uiIndex, Value& value) {
  const Entry& entry = kEntries[uiIndex];
  DWORD dwError = 0;
  if (entry.raw != nullptr) {
    value.bytes.assign(entry.dwRoom, 0);
    DWORD dwLength = 0;
    const DWORD dwResult = entry.raw(strQueue, value.bytes.data(), &dwLength, &dwError);
    value.bytes.resize(std::min(dwLength, entry.dwRoom));
    return dwResult;
  }
  if (entry.number != nullptr) return entry.number(strQueue, &value.dwNumber, &dwError);
  if (entry.flag != nullptr) {
    int iEnabled = 0;
    const DWORD dwResult = entry.flag(strQueue, iEnabled, &dwError);
    value.dwNumber = iEnabled != 0 ? 1 : 0;
    return dwResult;
  }
  return GetNotchThresholdEth(strQueue, &value.fVolts, &dwError);
}

// The queue and its protocol key, checked before anything is sent, so that
// a printer that is not set up gets one clear message.
bool CPrinterStatusReader::CheckSetUp(CPrinterStatus& status) const {
  CPrintQueueAdmin::Queue queue;
  const auto found = CPrintQueueAdmin::Find(m_strQueue, queue);
  if (found.result == CPrintQueueAdmin::Result::kNotFound) {
    status.strProblem = "there is no print queue " + m_strQueue + " (lumora-cli install adds one)";
    return false;
  }
  status.strDeviceUri = queue.strDeviceUri;
  DWORD dwProtocol = 0;
  if (!CRegStore::GetDword(CPrinterInstaller::ProtocolKey(m_strQueue),
                           CRegStore::ProtocolValueName(), dwProtocol)) {
    status.strProblem = "the queue " + m_strQueue +
                        " has no protocol (EthPrt) in the registry store: it was not installed "
                        "for the printer link (lumora-cli install --replace sets it up)";
    return false;
  }
  status.iProtocol = static_cast<int>(dwProtocol);
  return true;
}

CPrinterStatus CPrinterStatusReader::Read(const std::function<bool()>& shouldStop) const {
  CPrinterStatus status;
  status.strQueue = m_strQueue;
  status.values = Blank();
  if (!CheckSetUp(status)) {
    status.state = CPrinterStatus::State::kNotSetUp;
    return status;
  }
  const std::wstring queue = EnginePlatform::Utf8ToWide(m_strQueue);
  int iNoContact = 0;
  for (std::size_t i = 0; i < status.values.size(); ++i) {
    if (shouldStop && shouldStop()) {
      status.state = CPrinterStatus::State::kInterrupted;
      status.strProblem = "interrupted";
      return status;
    }
    Value& value = status.values[i];
    value.dwResult = Ask(queue, i, value);
    value.bAsked = true;
    iNoContact = IsNoContact(value.dwResult) ? iNoContact + 1 : 0;
    const bool bBusy = value.dwResult == CZqSyncSocketCom::kPrinterBusy;
    if (bBusy || IsSetUpFailure(value.dwResult) || iNoContact == 2) {
      status.state = bBusy ? CPrinterStatus::State::kBusy
                     : iNoContact == 2 ? CPrinterStatus::State::kNoContact
                                       : CPrinterStatus::State::kNotSetUp;
      status.strProblem = CPrinterStatus::ResultText(value.dwResult);
      return status;
    }
  }
  return status;
}
