#pragma once
// The discovery's datagrams over corvane's UDP transport.
#include "IDiscoveryTransport.h"

#include <memory>

class CZqSocketComUdp;

class CUdpDiscoveryTransport : public IDiscoveryTransport {
 public:
  CUdpDiscoveryTransport();
  ~CUdpDiscoveryTransport() override;

  DWORD OpenReceiver(DWORD dwPort) override;
  DWORD Receive(BYTE* pBuffer, DWORD dwBufferSize, DWORD& dwReceived,
                std::wstring& strSenderAddress, DWORD& dwSenderPort, DWORD dwTimeout) override;
  void CloseReceiver() override;
  DWORD SendMessage(const std::wstring& strMessage, DWORD dwTxPort, DWORD dwBroadcastType,
                    std::wstring& strLocalAddress, DWORD& dwPort) override;
  DWORD SendBytesTo(const BYTE* pData, DWORD dwLength, const std::wstring& strHost, DWORD dwTxPort,
                    std::wstring& strLocalAddress, DWORD& dwPort) override;

 private:
  std::unique_ptr<CZqSocketComUdp> m_pReceiver;  // null when none is open
};
