#pragma once
// The exchanges the operator starts on one printer: the SET command that
// changes its name and network settings (confirmed by the printer's answer)
// and the framed status and identity queries. Blocking; it runs on the
// calling thread. The window runs it off its user-interface thread and shows
// the outcome's message itself; lumora-cli prints the same message.
#include "CMessageSender.h"
#include "IDiscoveryTransport.h"

#include <corvane/CorvaneTypes.h>

#include <functional>
#include <string>
#include <vector>

// The settings the exchanges read, copied from the program's settings.
struct CConfigurationSettings {
  UINT uiTxPort = 15000;       // port the printers listen on
  UINT uiRxPort = 15001;       // port the answers come back to
  DWORD dwBroadcastType = 1;   // non-zero: 255.255.255.255, 0: subnet-directed
  DWORD dwRxEthTimeout = 1000; // ms one receive attempt waits
};

class CConfigurationExchange {
 public:
  // SendSetCommand's result when the printer did not confirm.
  static constexpr DWORD kNotConfirmed = 0x1000;
  // Data bytes of the two framed queries.
  static constexpr BYTE kFullStatus = 0x02;
  static constexpr BYTE kDeviceId = 0x20;

  // What a SET exchange ended with, and the message its caller shows.
  struct SetOutcome {
    DWORD dwResult = 0;      // 0, kNotConfirmed, or the transport's code
    UINT uiMessage = 0;      // string id 120, 121 or 122; 0: show nothing
    bool bErrorIcon = false; // 121 and 122 carry the error icon, 120 none
    bool bSent = false;      // the SET command went out (the answer port opened)
    bool bAnswered = false;  // an answer naming the printer came (121 then: refused)
    std::wstring strLocalAddress;  // the local address the send reported

    // The text of uiMessage from the string table; empty for 0.
    std::wstring Text() const;
  };

  // The number of receive attempts in all: the device rows of the caller's
  // list. Read again before each attempt, so rows that go meanwhile count.
  using AttemptCount = std::function<DWORD()>;
  // One line for the debug console (nothing is written when empty).
  using ConsoleLine = CMessageSender::ConsoleLine;

  CConfigurationExchange(const CConfigurationSettings& settings, IDiscoveryTransport& transport,
                         ConsoleLine console = {});

  // The SET text; the DHCP pair only when strDhcp is not empty, the MAC
  // address without its colons.
  static std::wstring BuildSetMessage(const std::wstring& strIp, const std::wstring& strName,
                                      const std::wstring& strMask, const std::wstring& strGateway,
                                      const std::wstring& strMac, const std::wstring& strDhcp);

  // Sends the SET command through the broadcast send and waits for the
  // printer's confirmation, one attempt per device row.
  SetOutcome SendSetCommand(const std::wstring& strIp, const std::wstring& strName,
                            const std::wstring& strMask, const std::wstring& strGateway,
                            const std::wstring& strMac, const std::wstring& strDhcp,
                            const AttemptCount& attempts);

  // The 20-byte query frame with the data byte (kFullStatus or kDeviceId);
  // empty when it cannot be built.
  static std::vector<BYTE> BuildQueryFrame(BYTE btData);

  // Sends the frame to the printer and unpacks one answer into pAnswer
  // (capacity dwAnswerLength in, data length out); 0 or the transport's code.
  // dwAnswerLength is 0 when no answer was unpacked (none came in time, or
  // the frame codec refused what came).
  DWORD QueryDevice(const BYTE* pFrame, DWORD dwLength, const std::wstring& strIp, BYTE* pAnswer,
                    DWORD& dwAnswerLength);

 private:
  CConfigurationSettings m_Settings;
  IDiscoveryTransport& m_Transport;
  ConsoleLine m_Console;

  void Console(const std::wstring& strLine) const;
};
