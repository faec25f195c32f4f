#pragma once
// The discovery's datagrams over corvane's UDP transport.
#include "IDiscoveryTransport.h"

#include <map>
#include <memory>
#include <tuple>

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
  DWORD SendTextTo(const std::wstring& strMessage, const std::wstring& strAddress, DWORD dwTxPort,
                   DWORD dwInterfaceIndex, const std::wstring& strSourceAddress) override;
  DWORD LastReceiveInterface() const override;
  BOOL ReceiveDrops(DWORD& dwDrops) const override;

 private:
  // Sending endpoints kept for the run: port, interface index, source.
  using SenderKey = std::tuple<DWORD, DWORD, std::wstring>;

  std::unique_ptr<CZqSocketComUdp> m_pReceiver;  // null when none is open
  std::map<SenderKey, std::unique_ptr<CZqSocketComUdp>> m_Senders;
};
