#include "CSetVerifier.h"

#include "CDiscoveryProtocol.h"
#include "CMessageSender.h"
#include "MacText.h"

#include <array>

namespace {

using Clock = std::chrono::steady_clock;
using InfoField = CDiscoveryProtocol::InfoField;

std::wstring* FieldOf(CPrinterSettings& s, InfoField field) {
  switch (field) {
    case InfoField::kName: return &s.strName;
    case InfoField::kSubnetMask: return &s.strSubnetMask;
    case InfoField::kGateway: return &s.strGateway;
    case InfoField::kDhcp: return &s.strDhcp;
    default: return nullptr;  // the model is asked, but not compared
  }
}

// True when the answer is this printer's discovery answer.
bool IsMacAnswerOf(const std::wstring& strText, const std::wstring& strMac) {
  std::wstring strValue;
  return CDiscoveryProtocol::FindValue(strText, CDiscoveryProtocol::kMacTag, strValue) &&
         MacText::Same(strValue, strMac);
}

}  // namespace

struct CSetVerifier::Answer {
  std::wstring strText;
  std::wstring strSender;
};

std::wstring CSetVerifier::Verification::Text() const {
  switch (eResult) {
    case EResult::kVerified: {
      std::wstring strText = L"verified at the new address (" + strNewAddress + L")";
      for (std::size_t i = 0; i < differences.size(); ++i)
        strText += (i == 0 ? L"; but it reports " : L", ") + differences[i];
      return strText;
    }
    case EResult::kNotAtNewAddress:
      return L"confirmed, but not seen at the new address yet (last seen at " + strSeenAt + L")";
    default:
      return dwOpenResult != 0
                 ? L"no answer (the answer port could not be opened: transport error " +
                       std::to_wstring(dwOpenResult) + L")"
                 : L"no answer (neither at " + strNewAddress + L" nor to a broadcast)";
  }
}

std::wstring CSetVerifier::Verification::Name() const {
  switch (eResult) {
    case EResult::kVerified: return L"verified";
    case EResult::kNotAtNewAddress: return L"not at new address";
    default: return L"no answer";
  }
}

CSetVerifier::CSetVerifier(const CConfigurationSettings& settings, IDiscoveryTransport& transport,
                           CConfigurationExchange::ConsoleLine console, Timing timing)
    : m_Settings(settings),
      m_Transport(transport),
      m_Console(std::move(console)),
      m_Timing(timing) {}

CSetVerifier::CSetVerifier(const CConfigurationSettings& settings, IDiscoveryTransport& transport,
                           CConfigurationExchange::ConsoleLine console)
    : CSetVerifier(settings, transport, std::move(console), Timing()) {}

CSetVerifier::Verification CSetVerifier::Verify(const std::wstring& strMac,
                                                const CPrinterSettings& sent) {
  Verification v;
  v.strNewAddress = sent.strIpAddress;
  v.dwOpenResult = m_Transport.OpenReceiver(m_Settings.uiRxPort);
  if (v.dwOpenResult == 0) {
    if (AskNewAddress(strMac, v) || AskByBroadcast(strMac, v)) {
      v.eResult = EResult::kVerified;
      AskFields(v);
      Compare(sent, v);
    }
    m_Transport.CloseReceiver();
  }
  if (m_Console) m_Console(L"<VERIFY> " + strMac + L": " + v.Text());
  return v;
}

bool CSetVerifier::Receive(Clock::time_point until, Answer& answer) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
  if (left.count() <= 0) return false;
  std::array<BYTE, CDiscoveryProtocol::kAnswerBufferSize> buffer{};
  DWORD dwReceived = 0, dwPort = 0;
  const DWORD dwResult =
      m_Transport.Receive(buffer.data(), static_cast<DWORD>(buffer.size()), dwReceived,
                          answer.strSender, dwPort, static_cast<DWORD>(left.count()));
  if (dwResult != 0 || dwReceived == 0xFFFFFFFF || dwReceived > buffer.size()) return false;
  answer.strText = CDiscoveryProtocol::AnswerText(buffer.data(), dwReceived);
  return CDiscoveryProtocol::HasZqPrefix(answer.strText);
}

bool CSetVerifier::AskNewAddress(const std::wstring& strMac, Verification& v) {
  const auto deadline = Clock::now() + m_Timing.unicast;
  auto nextSend = Clock::now();
  while (Clock::now() < deadline) {
    if (Clock::now() >= nextSend) {
      m_Transport.SendTextTo(CDiscoveryProtocol::DiscoveryRequest(), v.strNewAddress,
                             m_Settings.uiTxPort, 0, L"");
      nextSend += m_Timing.resend;
    }
    Answer answer;
    if (Receive(std::min(nextSend, deadline), answer) && answer.strSender == v.strNewAddress &&
        IsMacAnswerOf(answer.strText, strMac))
      return true;
  }
  return false;
}

bool CSetVerifier::AskByBroadcast(const std::wstring& strMac, Verification& v) {
  CMessageSender(m_Transport, m_Console)
      .Send(CDiscoveryProtocol::DiscoveryRequest(), m_Settings.uiTxPort,
            m_Settings.dwBroadcastType);
  const auto deadline = Clock::now() + m_Timing.broadcast;
  while (Clock::now() < deadline) {
    Answer answer;
    if (!Receive(deadline, answer) || !IsMacAnswerOf(answer.strText, strMac)) continue;
    if (answer.strSender == v.strNewAddress) return true;
    v.eResult = EResult::kNotAtNewAddress;
    v.strSeenAt = answer.strSender;
  }
  return false;
}

void CSetVerifier::AskFields(Verification& v) {
  for (int i = 0; i < CDiscoveryProtocol::kInfoFieldCount; ++i)
    m_Transport.SendTextTo(CDiscoveryProtocol::InfoRequest(static_cast<InfoField>(i)),
                           v.strNewAddress, m_Settings.uiTxPort, 0, L"");
  const auto deadline = Clock::now() + m_Timing.info;
  int iTold = 0;
  std::array<bool, CDiscoveryProtocol::kInfoFieldCount> told{};
  while (iTold < CDiscoveryProtocol::kInfoFieldCount && Clock::now() < deadline) {
    Answer answer;
    std::wstring strValue;
    if (!Receive(deadline, answer) || answer.strSender != v.strNewAddress) continue;
    const InfoField field = CDiscoveryProtocol::FindInfoField(answer.strText, strValue);
    if (field == InfoField::kNone || told[static_cast<std::size_t>(field)]) continue;
    told[static_cast<std::size_t>(field)] = true;
    ++iTold;
    if (std::wstring* pField = FieldOf(v.reported, field)) *pField = strValue;
  }
}

void CSetVerifier::Compare(const CPrinterSettings& sent, Verification& v) const {
  const std::pair<const wchar_t*, std::wstring CPrinterSettings::*> fields[] = {
      {L"name ", &CPrinterSettings::strName},
      {L"subnet mask ", &CPrinterSettings::strSubnetMask},
      {L"gateway ", &CPrinterSettings::strGateway},
      {L"DHCP ", &CPrinterSettings::strDhcp}};
  for (const auto& [szWhat, member] : fields) {
    const std::wstring& strTold = v.reported.*member;
    const std::wstring& strSent = sent.*member;
    if (!strTold.empty() && !strSent.empty() && strTold != strSent)
      v.differences.push_back(szWhat + strTold + L" instead of " + strSent);
  }
}
