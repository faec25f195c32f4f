#include "CSetVerifier.h"

#include "CPrinterQueries.h"
#include "MacText.h"

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
  using Clock = CPrinterQueries::Clock;
  Verification v;
  v.strNewAddress = sent.strIpAddress;
  v.dwOpenResult = m_Transport.OpenReceiver(m_Settings.uiRxPort);
  if (v.dwOpenResult == 0) {
    CPrinterQueries queries(m_Settings, m_Transport, m_Console);
    bool bFound = queries.AskAt(v.strNewAddress, strMac, Clock::now() + m_Timing.unicast,
                                m_Timing.resend);
    if (!bFound) {
      queries.Broadcast(Clock::now() + m_Timing.broadcast, [&](const CPrinterQueries::Found& f) {
        if (!MacText::Same(f.strMac, strMac)) return false;
        bFound = f.strAddress == v.strNewAddress;
        v.strSeenAt = f.strAddress;
        return bFound;
      });
    }
    if (bFound) {
      v.eResult = EResult::kVerified;
      const _DeviceInfo told = queries.AskFields(v.strNewAddress, Clock::now() + m_Timing.info);
      v.reported = {told.strName, v.strNewAddress, told.strSubnetMask, told.strGateway,
                    told.strDhcp};
      Compare(sent, v);
    } else if (!v.strSeenAt.empty()) {
      v.eResult = EResult::kNotAtNewAddress;
    }
    m_Transport.CloseReceiver();
  }
  if (m_Console) m_Console(L"<VERIFY> " + strMac + L": " + v.Text());
  return v;
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
