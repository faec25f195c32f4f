#include "CPrinterQueries.h"

#include "CDiscoveryProtocol.h"
#include "CMessageSender.h"
#include "MacText.h"

#include <array>

namespace {

using InfoField = CDiscoveryProtocol::InfoField;

bool MacOf(const std::wstring& strText, std::wstring& strMac) {
  return CDiscoveryProtocol::FindValue(strText, CDiscoveryProtocol::kMacTag, strMac);
}

std::wstring* FieldOf(_DeviceInfo& d, InfoField field) {
  switch (field) {
    case InfoField::kName: return &d.strName;
    case InfoField::kModel: return &d.strModel;
    case InfoField::kSubnetMask: return &d.strSubnetMask;
    case InfoField::kGateway: return &d.strGateway;
    case InfoField::kDhcp: return &d.strDhcp;
    default: return nullptr;
  }
}

}  // namespace

CPrinterQueries::CPrinterQueries(const CConfigurationSettings& settings,
                                 IDiscoveryTransport& transport,
                                 CConfigurationExchange::ConsoleLine console)
    : m_Settings(settings), m_Transport(transport), m_Console(std::move(console)) {}

bool CPrinterQueries::Receive(Clock::time_point until, Answer& answer) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
  if (left.count() <= 0) return false;
  std::array<BYTE, CDiscoveryProtocol::kAnswerBufferSize> buffer{};
  DWORD dwReceived = 0, dwPort = 0;
  const DWORD dwResult =
      m_Transport.Receive(buffer.data(), static_cast<DWORD>(buffer.size()), dwReceived,
                          answer.strSender, dwPort, static_cast<DWORD>(left.count()));
  if (dwResult != CZqSocketComUdp::kOk || dwReceived == IDiscoveryTransport::kNothingReceived ||
      dwReceived > buffer.size())
    return false;
  answer.strText = CDiscoveryProtocol::AnswerText(buffer.data(), dwReceived);
  return CDiscoveryProtocol::HasZqPrefix(answer.strText);
}

void CPrinterQueries::SendTo(const std::wstring& strMessage, const std::wstring& strAddress) {
  m_Transport.SendTextTo(strMessage, strAddress, m_Settings.uiTxPort, 0, L"");
}

void CPrinterQueries::Broadcast(Clock::time_point until,
                                const std::function<bool(const Found&)>& onAnswer) {
  CMessageSender(m_Transport, m_Console)
      .Send(CDiscoveryProtocol::DiscoveryRequest(), m_Settings.uiTxPort,
            m_Settings.dwBroadcastType);
  while (Clock::now() < until) {
    Answer answer;
    Found found;
    if (Receive(until, answer) && MacOf(answer.strText, found.strMac)) {
      found.strAddress = answer.strSender;
      if (onAnswer(found)) return;
    }
  }
}

bool CPrinterQueries::AskAt(const std::wstring& strAddress, const std::wstring& strMac,
                            Clock::time_point until, std::chrono::milliseconds resend) {
  auto nextSend = Clock::now();
  while (Clock::now() < until) {
    if (Clock::now() >= nextSend) {
      SendTo(CDiscoveryProtocol::DiscoveryRequest(), strAddress);
      nextSend += resend;
    }
    Answer answer;
    std::wstring strTold;
    if (Receive(std::min(nextSend, until), answer) && answer.strSender == strAddress &&
        MacOf(answer.strText, strTold) && MacText::Same(strTold, strMac))
      return true;
  }
  return false;
}

_DeviceInfo CPrinterQueries::AskFields(const std::wstring& strAddress, Clock::time_point until) {
  _DeviceInfo device;
  device.strIpAddress = strAddress;
  for (int i = 0; i < CDiscoveryProtocol::kInfoFieldCount; ++i)
    SendTo(CDiscoveryProtocol::InfoRequest(static_cast<InfoField>(i)), strAddress);
  std::array<bool, CDiscoveryProtocol::kInfoFieldCount> told{};
  for (int iTold = 0; iTold < CDiscoveryProtocol::kInfoFieldCount && Clock::now() < until;) {
    Answer answer;
    std::wstring strValue;
    if (!Receive(until, answer) || answer.strSender != strAddress) continue;
    const InfoField field = CDiscoveryProtocol::FindInfoField(answer.strText, strValue);
    if (field == InfoField::kNone || told[static_cast<std::size_t>(field)]) continue;
    told[static_cast<std::size_t>(field)] = true;
    ++iTold;
    *FieldOf(device, field) = strValue;
  }
  device.dwImage = device.strModel.empty() ? 0 : 1;
  return device;
}
