#pragma once
// Sends one protocol message to the printers' port with the owner's port and
// broadcast settings, and reports a successful send on the debug console.
#include <corvane/CorvaneTypes.h>

#include <string>

class IDiscoveryOwner;
class IDiscoveryTransport;

class CMessageSender {
 public:
  CMessageSender(IDiscoveryOwner& owner, IDiscoveryTransport& transport);

  // The transport's result code; nothing is written when the send failed.
  // pLocalAddress, when given, receives the local adapter address reported.
  DWORD Send(const std::wstring& strMessage, std::wstring* pLocalAddress = nullptr);

 private:
  IDiscoveryOwner& m_Owner;
  IDiscoveryTransport& m_Transport;
};
