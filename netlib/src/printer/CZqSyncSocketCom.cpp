// Set-up of the printer exchange: protocol, address and port, printer lock,
// and the retrying, serialised exchange.
#include <corvane/CZqSyncSocketCom.h>
#include <corvane/LastError.h>

#include "platform/PrintSpooler.h"
#include "platform/PrinterMutex.h"
#include "platform/SocketApi.h"
#include "printer/CRegHnd.h"
#include "printer/PrinterTrace.h"
#include "printer/ProtocolKey.h"
#include "transport/Ipv4Text.h"

using corvane::detail::DebugTrace;
namespace detail = corvane::detail;

namespace {

constexpr const wchar_t* kPortKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\";

bool HasLetter(const std::wstring& text) {
  for (wchar_t c : text) {
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) return true;
  }
  return false;
}

bool IsError(const std::wstring& text) {
  return text.size() == 5 && detail::RegistryDocument::Fold(text) == L"ERROR";
}

// A host of a device URI as a dotted address; names are resolved, so that
// one printer has one lock whichever way its queue names it.
bool NumericAddress(const std::wstring& strHost, std::wstring& strAddress) {
  DWORD dwAddress = 0;
  if (!corvane::platform::ResolveIpv4(detail::NarrowText(strHost), dwAddress)) return false;
  strAddress = detail::FormatIpv4(dwAddress);
  return true;
}

}  // namespace

CZqSyncSocketCom::CZqSyncSocketCom() : m_pRegHnd(std::make_unique<CRegHnd>()) {
  m_pRegHnd->Init(nullptr, L"");
}

CZqSyncSocketCom::~CZqSyncSocketCom() = default;

DWORD CZqSyncSocketCom::SetSocketConnectionType(const std::wstring& strPrinterName,
                                                DWORD* /*pdwError*/) {
  const std::wstring strKey = detail::kProtocolKey + strPrinterName;
  DWORD dwRead = 0;
  const DWORD dwProtocol = m_pRegHnd->GetRegDword(HKEY_LOCAL_MACHINE, strKey, detail::kProtocolValue, &dwRead);
  if (dwRead != 0 && dwProtocol == 0) {
    m_strConnectionType = L"UDP";
    DebugTrace(L"SetSocketConnectionType(...): Using UDP connection protocol\n");
    return kOk;
  }
  if (dwRead != 0 && dwProtocol == 1) {
    m_strConnectionType = L"TCP";
    DebugTrace(L"SetSocketConnectionType(...): Using TCP/IP connection protocol\n");
    return kOk;
  }
  DebugTrace(L"SetSocketConnectionType(...): ERROR!! Invalid Connection protocol in key %ls\\%ls\n",
             strKey.c_str(), detail::kProtocolValue);
  return kNoConnectionType;
}

DWORD CZqSyncSocketCom::AddressFromRegistry(const std::wstring& strKey, std::wstring& strAddress) {
  strAddress = m_pRegHnd->GetRegString(HKEY_LOCAL_MACHINE, strKey, L"IPAddress");
  if (!IsError(strAddress) && (HasLetter(strAddress) || strAddress.empty())) {
    // A host name is taken only when it is written as a numeric address.
    strAddress = m_pRegHnd->GetRegString(HKEY_LOCAL_MACHINE, strKey, L"HostName");
    if (HasLetter(strAddress) || strAddress.empty()) strAddress = L"ERROR";
  }
  return IsError(strAddress) ? kNoAddress : kOk;
}

DWORD CZqSyncSocketCom::SetIPAddress(const std::wstring& strPrinterName, DWORD* pdwError) {
  if (pdwError != nullptr) *pdwError = 0;
  std::wstring strPort;
  DWORD dwSpoolerError = 0;
  if (!detail::GetPrinterPort(strPrinterName, strPort, dwSpoolerError)) {
    DebugTrace(L"SetIPAddress(...): ERROR!! Unable to open printer %ls\n", strPrinterName.c_str());
    corvane::SetLastError(dwSpoolerError);
    if (pdwError != nullptr) *pdwError = dwSpoolerError;
    return kNoPrinter;
  }
  DebugTrace(L"SetIPAddress(...): Try to get IPAddress and PortNumber from port %ls\n",
             strPort.c_str());
  const std::wstring strKey = kPortKey + strPort;
  std::wstring strAddress;
  DWORD dwPort = 0;
  if (m_pRegHnd->FindKey(HKEY_LOCAL_MACHINE, strKey) == detail::RegistryLookup::kNoKey) {
    // No port data in the store: the device URI's own host and port.
    std::wstring strHost;
    if (!detail::PortFromDeviceUri(strPort, strHost, dwPort) ||
        !NumericAddress(strHost, strAddress))
      strAddress = L"ERROR";
  } else if (AddressFromRegistry(strKey, strAddress) == kOk) {
    DWORD dwRead = 0;
    dwPort = m_pRegHnd->GetRegDword(HKEY_LOCAL_MACHINE, strKey, L"PortNumber", &dwRead);
    if (dwRead == 0) {
      DebugTrace(L"SetIPAddress(...): ERROR!! Invalid Port Number in key %ls\\%ls\n",
                 strKey.c_str(), L"PortNumber");
      return kNoPortNumber;
    }
  }
  if (IsError(strAddress)) {
    DebugTrace(L"SetIPAddress(...): ERROR!! Invalid IP Address in key %ls\\%ls\n", strKey.c_str(),
               L"IPAddress");
    return kNoAddress;
  }
  m_strIPAddress = strAddress;
  m_dwPortNumber = dwPort;
  DebugTrace(L"SetIPAddress(...): IP Address found: %ls\n", m_strIPAddress.c_str());
  DebugTrace(L"SetIPAddress(...): Port Number found: %d\n", static_cast<int>(m_dwPortNumber));
  return kOk;
}

detail::PrinterMutex* CZqSyncSocketCom::CreateSyncrMutex(const std::wstring& strName) {
  bool bExisted = false;
  DWORD dwError = 0;
  m_hSyncMutex = detail::PrinterMutex::Open(strName, bExisted, dwError);
  if (!m_hSyncMutex) {
    corvane::SetLastError(dwError);
    DebugTrace(L"CreateSyncrMutex(...): Synctronization obj not created... SystemError: %d\n",
               static_cast<int>(dwError));
    return nullptr;
  }
  const unsigned int uHandle = static_cast<unsigned int>(m_hSyncMutex->Handle());
  if (bExisted) {
    DebugTrace(
        L"CreateSyncrMutex(...): Synctronization obj already present... new handle for this "
        L"process: 0x%X\n",
        uHandle);
  } else {
    DebugTrace(L"CreateSyncrMutex(...): Synctronization obj created... handle: 0x%X\n", uHandle);
  }
  return m_hSyncMutex.get();
}

DWORD CZqSyncSocketCom::SyncSendReceiveCom(const BYTE* pRequest, DWORD dwRequestLength,
                                           BYTE* pAnswer, int iExpectedLength,
                                           DWORD* pdwAnswerLength, DWORD* pdwError) {
  if (pdwError != nullptr) *pdwError = 0;
  const std::wstring strName =
      m_strIPAddress + L";" + std::to_wstring(static_cast<int>(m_dwPortNumber));
  // Without a lock (it could not be opened) the exchange runs unserialised.
  if (detail::PrinterMutex* pMutex = CreateSyncrMutex(strName)) {
    DWORD dwWaitError = 0;
    if (pMutex->Acquire(kMutexWait, dwWaitError) != detail::PrinterMutex::Wait::kObtained) {
      corvane::SetLastError(dwWaitError);
      if (pdwError != nullptr) *pdwError = dwWaitError;
      m_hSyncMutex.reset();
      return kPrinterBusy;
    }
  }
  const DWORD dwResult = SendReceiveCom(pRequest, dwRequestLength, pAnswer, iExpectedLength,
                                        pdwAnswerLength, pdwError);
  // Released and closed: a lock file stays open only during its exchange.
  m_hSyncMutex.reset();
  return dwResult;
}

DWORD CZqSyncSocketCom::RetrySyncSendReceiveCom(const BYTE* pRequest, DWORD dwRequestLength,
                                                BYTE* pAnswer, int iExpectedLength,
                                                DWORD* pdwAnswerLength, DWORD* pdwError) {
  DebugTrace(L"RetrySyncSendReceiveCom(...): Try to establish connection...\n");
  DWORD dwResult = SyncSendReceiveCom(pRequest, dwRequestLength, pAnswer, iExpectedLength,
                                      pdwAnswerLength, pdwError);
  for (int iRetry = 1; dwResult == kPrinterBusy && iRetry <= kBusyRetries; ++iRetry) {
    DebugTrace(
        L"RetrySyncSendReceiveCom(...): Connection failed: ethernet port busy. Retry... %d\n",
        iRetry);
    dwResult = SyncSendReceiveCom(pRequest, dwRequestLength, pAnswer, iExpectedLength,
                                  pdwAnswerLength, pdwError);
  }
  return dwResult;
}
