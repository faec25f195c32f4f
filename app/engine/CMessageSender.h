#pragma once
// The broadcast send of the protocol: one message through a fresh sending
// endpoint aimed at the printers' port, to 255.255.255.255 or to the default
// adapter's subnet-directed broadcast, and a console line for a successful
// send. Used by the discovery and by the configuration exchange.
#include <corvane/CorvaneTypes.h>

#include <functional>
#include <string>

class IDiscoveryTransport;

class CMessageSender {
 public:
  // One line for the debug console (nothing is written when empty).
  using ConsoleLine = std::function<void(const std::wstring&)>;

  CMessageSender(IDiscoveryTransport& transport, ConsoleLine console);

  // The transport's result code; nothing is written when the send failed.
  // pLocalAddress, when given, receives the local adapter address reported.
  DWORD Send(const std::wstring& strMessage, UINT uiTxPort, DWORD dwBroadcastType,
             std::wstring* pLocalAddress = nullptr);

 private:
  IDiscoveryTransport& m_Transport;
  ConsoleLine m_Console;
};
