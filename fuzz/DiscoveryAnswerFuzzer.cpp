// Fuzzes a whole discovery run with answers from up to 16 senders: the
// answer texts (CDiscoveryProtocol) and the device table's add and update
// rules, driven by the discovery state machine as in a real run. Checks that
// no record ever holds a value its address did not send, and that every MAC
// has one record.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CDeviceTable.h"
#include "CDiscoveryStateMachine.h"
#include "CLogFileManager.h"
#include "FuzzInput.h"
#include "IDiscoveryOwner.h"
#include "IDiscoveryTransport.h"

namespace {

struct Answer {
  std::string bytes;
  std::wstring strSender;
};

// Hands out the answers in input order, then reports that nothing came.
class ScriptedTransport : public IDiscoveryTransport {
 public:
  explicit ScriptedTransport(std::vector<Answer> answers) : m_Answers(std::move(answers)) {}
  DWORD OpenReceiver(DWORD) override { return 0; }
  DWORD Receive(BYTE* pBuffer, DWORD dwSize, DWORD& dwReceived, std::wstring& strSender,
                DWORD& dwPort, DWORD) override {
    if (m_uiNext == m_Answers.size()) {
      dwReceived = 0xFFFFFFFF;
      return 0;
    }
    const Answer& a = m_Answers[m_uiNext++];
    strSender = a.strSender;
    dwPort = 15000;
    if (a.bytes.empty()) {
      dwReceived = 0;
      return 7;
    }
    if (a.bytes.size() > dwSize) {  // the transport reports an oversized datagram
      dwReceived = 0;
      return 20;
    }
    std::copy(a.bytes.begin(), a.bytes.end(), pBuffer);
    dwReceived = static_cast<DWORD>(a.bytes.size());
    return 0;
  }
  void CloseReceiver() override {}
  DWORD SendMessage(const std::wstring&, DWORD, DWORD, std::wstring& strLocal, DWORD& dwPort) override {
    strLocal = L"10.77.0.2";
    dwPort = 15000;
    return 0;
  }
  DWORD SendBytesTo(const BYTE*, DWORD, const std::wstring&, DWORD, std::wstring&, DWORD&) override {
    return 0;
  }
  DWORD SendTextTo(const std::wstring&, const std::wstring&, DWORD, DWORD, const std::wstring&) override {
    return 0;
  }
  // No machine's interfaces: the run takes the single broadcast.
  std::vector<CCNetInterfaces::Entry> ListInterfaces() const override { return {}; }

 private:
  std::vector<Answer> m_Answers;
  std::size_t m_uiNext = 0;
};

class QuietOwner : public IDiscoveryOwner {
 public:
  BOOL InsertDeviceRow(DWORD, const std::wstring&, const std::wstring&, const std::wstring&,
                       const std::wstring&, const std::wstring&) override {
    return 1;
  }
  void UpdateDeviceRow(DWORD dwRow, DWORD, const std::wstring&, const std::wstring&,
                       const std::wstring&, const std::wstring&, const std::wstring&) override {
    Require(dwRow >= 1 && dwRow <= m_pTable->GetDeviceCount());
  }
  void WriteDebugConsole(const std::wstring&) override {}
  void ToggleLamp(Lamp) override {}
  void StepProgress() override {}
  void StopDiscovery() override { m_bStopped = true; }
  CDiscoverySettings GetDiscoverySettings() const override {
    CDiscoverySettings s;
    s.dwMaxDiscoveryTry = 2;
    s.dwMaxNoDataReadTry = 1;
    // The fill-in pass waits for its answers by the clock: the shortest
    // time-out (0 would mean the transport's 10 s), one round.
    s.dwReciveThreadTimeout = 1;
    s.dwRxThreadIdleTimeout = 0;
    s.dwMaxFillInTry = 1;
    return s;
  }
  CLogFileManager& GetLogFile() override { return m_Log; }  // never opened: lines are dropped

  const CDeviceTable* m_pTable = nullptr;
  bool m_bStopped = false;

 private:
  CLogFileManager m_Log;
};

// Every value each sender put after any tag, as the table would store it.
std::map<std::wstring, std::set<std::wstring>> SentValues(const std::vector<Answer>& answers) {
  std::map<std::wstring, std::set<std::wstring>> sent;
  const wchar_t* const tags[] = {L"<MAC>", L"<NAME>", L"<MOD>", L"<SNM>", L"<GTW>", L"<DHCP>"};
  for (const Answer& a : answers) {
    const std::wstring text = CDiscoveryProtocol::AnswerText(
        reinterpret_cast<const BYTE*>(a.bytes.data()), std::min<std::size_t>(a.bytes.size(), 1024));
    for (const wchar_t* tag : tags) {
      std::wstring value;
      if (CDiscoveryProtocol::FindValue(text, tag, value)) sent[a.strSender].insert(value);
    }
  }
  return sent;
}

bool Placeholder(const std::wstring& v) {
  return v.empty() || v == CDeviceTable::kNoName || v == CDeviceTable::kNoModel ||
         v == CDeviceTable::kNoSubnetMask || v == CDeviceTable::kNoMacAddress ||
         v == CDeviceTable::kNoGateway;
}

void CheckTable(const CDeviceTable& table, const std::vector<Answer>& answers) {
  const auto sent = SentValues(answers);
  std::set<std::wstring> macs;
  for (DWORD i = 0; i < table.GetDeviceCount(); ++i) {
    const _DeviceInfo& r = *table.GetDevice(i);
    const auto it = sent.find(r.strIpAddress);
    for (const std::wstring* v : {&r.strName, &r.strModel, &r.strSubnetMask, &r.strMacAddress,
                                  &r.strGateway, &r.strDhcp}) {
      Require(Placeholder(*v) || (it != sent.end() && it->second.count(*v) != 0));
    }
    Require(r.dwImage == 0 || r.dwImage == 1 || r.dwImage == 5);
    if (r.strMacAddress != CDeviceTable::kNoMacAddress) Require(macs.insert(r.strMacAddress).second);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  FuzzInput in(pData, uiSize);
  std::vector<Answer> answers;
  while (!in.Empty() && answers.size() < 64) {
    const std::uint8_t head = in.Byte();
    std::string bytes = in.Bytes(head & 0x40 ? in.Word() % 1100 : in.Byte());
    answers.push_back({std::move(bytes), L"10.77.16." + std::to_wstring(1 + (head & 0x0F))});
  }
  QuietOwner owner;
  CDeviceTable table(owner);
  owner.m_pTable = &table;
  ScriptedTransport transport(answers);
  std::atomic<DWORD> dwState{TX_DEV_DISCOVERY};
  CDiscoveryStateMachine machine(owner, table, transport, dwState, [](DWORD) {});
  machine.Begin();
  // The limit only guards against a run that would never end.
  for (int pass = 0; pass < 100000 && !owner.m_bStopped; ++pass) machine.Pass();
  machine.End();
  Require(owner.m_bStopped);
  CheckTable(table, answers);
  return 0;
}
