#include "IDiscoveryTransport.h"

DWORD IDiscoveryTransport::SendTextTo(const std::wstring& strMessage,
                                      const std::wstring& strAddress, DWORD dwTxPort,
                                      DWORD /*dwInterfaceIndex*/,
                                      const std::wstring& /*strSourceAddress*/) {
  std::string bytes;
  for (wchar_t wc : strMessage) bytes.push_back(static_cast<char>(wc & 0xFF));
  std::wstring strLocal;
  DWORD dwPort = 0;
  return SendBytesTo(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()),
                     strAddress, dwTxPort, strLocal, dwPort);
}

std::vector<CCNetInterfaces::Entry> IDiscoveryTransport::ListInterfaces() const {
  return CCNetInterfaces().GetEntries();
}
