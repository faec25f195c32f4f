#pragma once
// The datagrams of a discovery run: one receiving endpoint for the whole run
// and a fresh sending endpoint per message. The worker reaches the network
// only through this, so that tests can drive it with scripted answers.
#include <corvane/CCNetInterfaces.h>
#include <corvane/CZqSocketComUdp.h>
#include <corvane/CorvaneTypes.h>

#include <string>
#include <vector>

class IDiscoveryTransport {
 public:
  // Receive results, as the UDP endpoint gives them: an empty datagram, and
  // the count that says nothing arrived.
  static constexpr DWORD kZeroBytes = CZqSocketComUdp::kZeroBytes;
  static constexpr DWORD kNothingReceived = CZqSocketComUdp::kNothingReceived;

  virtual ~IDiscoveryTransport() = default;

  // Opens the receiving endpoint on the port, all interfaces. Called on the
  // worker thread at the start of a run; the result is the transport's code.
  virtual DWORD OpenReceiver(DWORD dwPort) = 0;
  // One receive with the time-out, with the result codes of CZqSocketComUdp:
  // nothing in time gives 0 with dwReceived 0xFFFFFFFF. Without an open
  // receiving endpoint it gives that at once.
  virtual DWORD Receive(BYTE* pBuffer, DWORD dwBufferSize, DWORD& dwReceived,
                        std::wstring& strSenderAddress, DWORD& dwSenderPort,
                        DWORD dwTimeout) = 0;
  virtual void CloseReceiver() = 0;

  // Sends the text to the printers' port through a fresh sending endpoint:
  // to 255.255.255.255 when dwBroadcastType is non-zero, else to the
  // subnet-directed broadcast address of the default adapter. Reports the
  // local adapter address and the port sent to.
  virtual DWORD SendMessage(const std::wstring& strMessage, DWORD dwTxPort, DWORD dwBroadcastType,
                            std::wstring& strLocalAddress, DWORD& dwPort) = 0;

  // Sends the bytes to one host's port (a dotted address or a name) through a
  // fresh sending endpoint without broadcast permission. Reports the local
  // adapter address and the port sent to.
  virtual DWORD SendBytesTo(const BYTE* pData, DWORD dwLength, const std::wstring& strHost,
                            DWORD dwTxPort, std::wstring& strLocalAddress, DWORD& dwPort) = 0;

  // Sends the text to one address's port through a sending endpoint kept
  // until CloseReceiver, so that thousands of unicast requests cost no
  // endpoint each. dwInterfaceIndex non-zero: through that interface, from
  // strSourceAddress (a broadcast out of a chosen interface). The result is
  // the transport's code. By default a fresh endpoint per message, the
  // routing table's way.
  virtual DWORD SendTextTo(const std::wstring& strMessage, const std::wstring& strAddress,
                           DWORD dwTxPort, DWORD dwInterfaceIndex,
                           const std::wstring& strSourceAddress);
  // The machine's IPv4 interfaces, to choose broadcast ways from.
  virtual std::vector<CCNetInterfaces::Entry> ListInterfaces() const;
  // Index of the interface the last received datagram came in on; 0 unknown.
  virtual DWORD LastReceiveInterface() const { return 0; }
  // Datagrams the kernel dropped at the receiving endpoint since it opened;
  // 0 when not known.
  virtual BOOL ReceiveDrops(DWORD& dwDrops) const {
    dwDrops = 0;
    return 0;
  }
};
