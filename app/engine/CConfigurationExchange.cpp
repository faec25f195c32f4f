#include "CConfigurationExchange.h"

#include "CDiscoveryProtocol.h"
#include "LumoraStrings.h"

#include <corvane/CCorvaneFunctions.h>

#include <array>

namespace {

constexpr const wchar_t* kSetCommand = L"<SET>";
constexpr const wchar_t* kAnswerCode = L"<STSMOA>";
constexpr const wchar_t* kCmdAnswerCode = L"<STSMOA><CMD>";
constexpr const wchar_t* kQueryCode = L"<STSMOQ><CMD>";
constexpr BYTE kFrameStart = 0x3C;  // '<'
constexpr BYTE kFrameEnd = 0x3E;    // '>'
constexpr wchar_t kAck = 0x06;
// Answers to the SET command and the queries are received into this many bytes.
constexpr DWORD kReceiveSize = 260;

std::wstring WithoutColons(std::wstring strMac) {
  std::erase(strMac, L':');
  return strMac;
}

// "<MAC:001122334455>": how the SET command names its printer, and what the
// printer's answer must repeat.
std::wstring Addressee(const std::wstring& strMac) {
  return L"<MAC:" + WithoutColons(strMac) + L">";
}

// Answers to a message that mentions "CMD" carry the command code as well.
const wchar_t* AnswerCodeFor(const std::wstring& strSent) {
  return strSent.find(L"CMD") != std::wstring::npos ? kCmdAnswerCode : kAnswerCode;
}

std::wstring Angled(const std::wstring& strValue) { return L"<" + strValue + L">"; }

// One receive of the configuration exchange. A datagram larger than the
// buffer counts as nothing usable.
struct Reception {
  std::array<BYTE, kReceiveSize> buffer{};
  DWORD dwResult = 0;
  DWORD dwReceived = 0;
  std::wstring strSender;
  DWORD dwSenderPort = 0;

  bool Empty() const { return dwResult == IDiscoveryTransport::kZeroBytes; }
  bool Nothing() const { return dwReceived == IDiscoveryTransport::kNothingReceived; }
  DWORD Usable() const { return dwReceived <= kReceiveSize ? dwReceived : 0; }
};

void ReceiveOnce(IDiscoveryTransport& transport, DWORD dwTimeout, Reception& r) {
  r.buffer.fill(0);
  r.dwResult = transport.Receive(r.buffer.data(), kReceiveSize, r.dwReceived, r.strSender,
                                 r.dwSenderPort, dwTimeout);
}

}  // namespace

std::wstring CConfigurationExchange::SetOutcome::Text() const {
  return uiMessage == 0 ? std::wstring() : LumoraStrings::Load(uiMessage);
}

CConfigurationExchange::CConfigurationExchange(const CConfigurationSettings& settings,
                                               IDiscoveryTransport& transport, ConsoleLine console)
    : m_Settings(settings), m_Transport(transport), m_Console(std::move(console)) {}

void CConfigurationExchange::Console(const std::wstring& strLine) const {
  if (m_Console) m_Console(strLine);
}

std::wstring CConfigurationExchange::BuildSetMessage(const std::wstring& strIp,
                                                     const std::wstring& strName,
                                                     const std::wstring& strMask,
                                                     const std::wstring& strGateway,
                                                     const std::wstring& strMac,
                                                     const std::wstring& strDhcp) {
  std::wstring strMessage = std::wstring(CDiscoveryProtocol::kZqTag) +
                            CDiscoveryProtocol::kInfoCode + kSetCommand + Addressee(strMac) +
                            L"<S_NAME>" + Angled(strName) + L"<S_IPADD>" + Angled(strIp) +
                            L"<S_SNM>" + Angled(strMask) + L"<S_GTW>" + Angled(strGateway);
  if (!strDhcp.empty()) strMessage += L"<S_DHCP>" + Angled(strDhcp);
  return strMessage;
}

CConfigurationExchange::SetOutcome CConfigurationExchange::SendSetCommand(
    const std::wstring& strIp, const std::wstring& strName, const std::wstring& strMask,
    const std::wstring& strGateway, const std::wstring& strMac, const std::wstring& strDhcp,
    const AttemptCount& attempts) {
  const std::wstring strMessage =
      BuildSetMessage(strIp, strName, strMask, strGateway, strMac, strDhcp);
  if (const DWORD dwOpen = m_Transport.OpenReceiver(m_Settings.uiRxPort); dwOpen != 0) {
    SetOutcome unsent;
    unsent.dwResult = dwOpen;
    return unsent;
  }
  std::wstring strLocal;
  const DWORD dwSend =
      CMessageSender(m_Transport, m_Console)
          .Send(strMessage, m_Settings.uiTxPort, m_Settings.dwBroadcastType, &strLocal);

  const std::wstring strAddressee = Addressee(strMac);
  const CCorvaneFunctions functions;
  std::wstring strAnswer;
  bool bAnswered = false;
  Reception r;
  for (DWORD dwAttempt = 0; !bAnswered && attempts && dwAttempt < attempts(); ++dwAttempt) {
    ReceiveOnce(m_Transport, m_Settings.dwRxEthTimeout, r);
    if (r.Empty()) break;
    if (r.Nothing()) continue;
    std::array<BYTE, kReceiveSize> data{};
    DWORD dwData = kReceiveSize;
    if (!functions.GetDataEthAnswer(data.data(), dwData, CDiscoveryProtocol::kZqTag,
                                    AnswerCodeFor(strMessage), r.buffer.data(), r.Usable()))
      continue;
    strAnswer = CDiscoveryProtocol::AnswerText(data.data(), dwData);
    bAnswered = strAnswer.find(strAddressee) != std::wstring::npos;
  }
  m_Transport.CloseReceiver();

  const auto outcome = [&](DWORD dwResult, UINT uiMessage, bool bErrorIcon) {
    return SetOutcome{dwResult, uiMessage, bErrorIcon, dwSend == 0, bAnswered, strLocal};
  };
  if (!bAnswered) return outcome(kNotConfirmed, LumoraStrings::kSetNotConfirmed, true);
  if (dwSend != 0) return outcome(dwSend, 0, false);
  if (strAnswer.find(L"SET") == std::wstring::npos)
    return outcome(kNotConfirmed, LumoraStrings::kSetTrouble, true);
  if (strAnswer.back() != kAck) return outcome(kNotConfirmed, LumoraStrings::kSetNotConfirmed, true);
  return outcome(0, LumoraStrings::kSetConfirmed, false);
}

std::vector<BYTE> CConfigurationExchange::BuildQueryFrame(BYTE btData) {
  std::vector<BYTE> frame(CCorvaneFunctions::kMaxFrame);
  DWORD dwLength = static_cast<DWORD>(frame.size());
  if (!CCorvaneFunctions().FormatEthBuffToSend(frame.data(), dwLength, CDiscoveryProtocol::kZqTag,
                                               kQueryCode, &btData, 1, kFrameStart, kFrameEnd))
    return {};
  frame.resize(dwLength);
  return frame;
}

DWORD CConfigurationExchange::QueryDevice(const BYTE* pFrame, DWORD dwLength,
                                          const std::wstring& strIp, BYTE* pAnswer,
                                          DWORD& dwAnswerLength) {
  const DWORD dwCapacity = dwAnswerLength;
  dwAnswerLength = 0;
  const std::wstring strFrame = CDiscoveryProtocol::AnswerText(pFrame, dwLength);
  const wchar_t* szCode = AnswerCodeFor(strFrame);
  if (const DWORD dwOpen = m_Transport.OpenReceiver(m_Settings.uiRxPort); dwOpen != 0)
    return dwOpen;
  std::wstring strLocal;
  DWORD dwPort = 0;
  const DWORD dwSend =
      m_Transport.SendBytesTo(pFrame, dwLength, strIp, m_Settings.uiTxPort, strLocal, dwPort);
  if (dwSend != 0) {
    m_Transport.CloseReceiver();
    return dwSend;
  }
  Console(L"Message host IP from <" + strLocal + L":" + std::to_wstring(dwPort) + L"> to " +
          strIp + L" Size " + std::to_wstring(dwLength) + L" Buffer: { " + strFrame + L" }");

  Reception r;
  ReceiveOnce(m_Transport, m_Settings.dwRxEthTimeout, r);
  if (!r.Empty() && !r.Nothing()) {
    const CCorvaneFunctions functions;
    DWORD dwData = dwCapacity;
    if (functions.GetDataEthAnswer(pAnswer, dwData, CDiscoveryProtocol::kZqTag, szCode,
                                   r.buffer.data(), r.Usable()))
      dwAnswerLength = dwData;
    Console(L"Rx Data From IP <" + r.strSender + L":" + std::to_wstring(r.dwSenderPort) +
            L"> Size " + std::to_wstring(r.dwReceived) + L" Buffer: { " +
            functions.BufByteToExCString(r.buffer.data(), r.Usable(), CDiscoveryProtocol::kZqTag,
                                         szCode) +
            L" }");
  }
  m_Transport.CloseReceiver();
  return 0;
}
