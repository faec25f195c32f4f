#include "CDiscoveryReach.h"

#include "CDeviceTable.h"
#include "CDiscoveryProtocol.h"
#include "CHostList.h"
#include "CLogFileManager.h"
#include "CMessageSender.h"
#include "EDiscoveryState.h"
#include "IDiscoveryOwner.h"
#include "IDiscoveryTransport.h"

#include <corvane/CCorvaneFunctions.h>

#include <algorithm>
#include <array>
#include <unordered_set>

namespace {

// The transport's wait when a receive is given no time-out.
constexpr DWORD kTransportDefaultTimeout = 10000;
// Answers taken per pass once the first has come: a paced exchange keeps up
// with its window without a pass per answer.
constexpr int kAnswersPerPass = 32;

std::wstring Dotted(DWORD dwAddress) { return CCorvaneFunctions().dwordToStrIp(dwAddress); }

unsigned Bit(CAnswerLedger::Field field) { return 1u << field; }

// Log labels of filed answers, by field, as the information phase words them.
const wchar_t* const kFiledLabels[] = {L"Mac Add.: ",     L"Printer Name.: ", L"Printer Model.: ",
                                       L"Sub Net Mask.: ", L"Gateway.: ",      L"DHCP: "};

}  // namespace

CDiscoveryReach::CDiscoveryReach(IDiscoveryOwner& owner, CDeviceTable& table,
                                 IDiscoveryTransport& transport, CMessageSender& sender,
                                 std::atomic<DWORD>& dwState)
    : m_Owner(owner), m_Table(table), m_Transport(transport), m_Sender(sender), m_dwState(dwState) {}

void CDiscoveryReach::Begin(const CDiscoverySettings& settings) {
  m_Settings = settings;
  m_Ledger.Clear();
  m_pPaced.reset();
  m_iUnicastStep = 0;
  m_dwFillInRound = 0;
  std::vector<std::wstring> problems;
  m_Hosts.clear();
  std::wstring strError;
  if (!CHostList::Parse(settings.strHosts, m_Hosts, strError)) {
    m_Hosts.clear();
    problems.push_back(L"hosts not asked: " + strError);
  }
  const std::vector<CCNetInterfaces::Entry> machine = m_Transport.ListInterfaces();
  const CInterfaceChoice choice(settings.strInterfaces);
  m_bChosenInterfaces = choice.GetMode() != CInterfaceChoice::Mode::kDefault;
  m_Routes = choice.Resolve(machine, problems);
  m_Report.Begin(machine, m_Hosts, settings.uiTxPort, settings.uiRxPort);
  for (const std::wstring& strProblem : problems) {
    m_Report.AddProblem(strProblem);
    ConsoleAndLog(L"<NETWORK> " + strProblem);
  }
}

void CDiscoveryReach::End() {
  DWORD dwDrops = 0;
  const BOOL bKnown = m_Transport.ReceiveDrops(dwDrops);
  m_Report.KernelDrops(bKnown, dwDrops);
}

void CDiscoveryReach::Broadcast(const std::wstring& strMessage) {
  if (!Broadcasting()) return;
  if (!m_bChosenInterfaces) {
    std::wstring strLocal;
    if (m_Sender.Send(strMessage, m_Settings.uiTxPort, m_Settings.dwBroadcastType, &strLocal) == 0) {
      m_Report.BroadcastSent(strLocal, m_Settings.dwBroadcastType != 0 ? L"255.255.255.255" : L"");
    }
    return;
  }
  for (const CCNetInterfaces::Entry& route : m_Routes) BroadcastThrough(route, strMessage);
}

void CDiscoveryReach::BroadcastThrough(const CCNetInterfaces::Entry& route,
                                       const std::wstring& strMessage) {
  const std::wstring strPort = std::to_wstring(m_Settings.uiTxPort);
  const DWORD dwResult = m_Transport.SendTextTo(strMessage, route.strBroadcast,
                                                m_Settings.uiTxPort, route.dwIndex,
                                                route.strAddress);
  if (dwResult != 0) {
    ConsoleAndLog(L"<INTERFACE> " + route.strName + L" " + route.strAddress +
                  L": send failed (" + std::to_wstring(dwResult) + L")");
    return;
  }
  Console(L"Message host IP <" + route.strAddress + L":" + strPort + L"> Size " +
          std::to_wstring(strMessage.size()) + L" Buffer: { " + strMessage + L" }");
  ConsoleAndLog(L"<INTERFACE> " + route.strName + L" " + route.strAddress + L" -> " +
                route.strBroadcast + L":" + strPort + L" " + strMessage);
  m_Report.BroadcastSent(route.strAddress, route.strBroadcast);
}

DWORD CDiscoveryReach::AfterDiscoveryPhase() const {
  return !m_Hosts.empty() && m_iUnicastStep < 3 ? TX_DEV_UNICAST : END_DEV_DISCOVERY;
}

DWORD CDiscoveryReach::AfterInfoPhase() const {
  return m_Settings.dwMaxFillInTry != 0 ? TX_DEV_FILL_IN : END_JOB;
}

void CDiscoveryReach::OnTxUnicast() {
  std::vector<Request> requests;
  if (m_iUnicastStep == 0) {
    m_iUnicastStep = 1;
    for (DWORD dwHost : m_Hosts) requests.push_back({dwHost, CAnswerLedger::kMac});
    ConsoleAndLog(L"<TX_DEV_UNICAST> " + CDiscoveryProtocol::DiscoveryRequest() + L" to " +
                  std::to_wstring(m_Hosts.size()) + L" addresses");
    StartPaced(requests, TX_DEV_UNICAST);
    return;
  }
  if (m_iUnicastStep == 1) {
    m_iUnicastStep = 2;
    DWORD dwPrinters = 0;
    for (DWORD dwHost : m_Hosts) {
      if ((m_Ledger.Told(dwHost) & Bit(CAnswerLedger::kMac)) == 0) continue;
      ++dwPrinters;
      for (unsigned f = CAnswerLedger::kName; f < CAnswerLedger::kFieldCount; ++f)
        requests.push_back({dwHost, f});
    }
    if (!requests.empty()) {
      ConsoleAndLog(L"<TX_DEV_UNICAST> information requests to " + std::to_wstring(dwPrinters) +
                    L" printers");
      StartPaced(requests, TX_DEV_UNICAST);
      return;
    }
  }
  m_iUnicastStep = 3;
  m_dwState.store(END_DEV_DISCOVERY);
}

void CDiscoveryReach::OnTxFillIn() {
  if (m_dwFillInRound == 0) m_FillInStart = CPacedExchange::Clock::now();
  std::vector<Request> requests;
  const DWORD dwIncomplete = CollectMissing(requests);
  m_Report.FillInRound(dwIncomplete);
  const std::wstring strCount = std::to_wstring(dwIncomplete) + L" records incomplete";
  if (dwIncomplete == 0 || m_dwFillInRound >= m_Settings.dwMaxFillInTry) {
    ConsoleAndLog(L"<TX_DEV_FILL_IN> " + strCount + L", done");
    const auto spent = CPacedExchange::Clock::now() - m_FillInStart;
    m_Report.FillInTime(static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(spent).count()));
    m_dwState.store(END_JOB);
    return;
  }
  ++m_dwFillInRound;
  ConsoleAndLog(L"<TX_DEV_FILL_IN> round " + std::to_wstring(m_dwFillInRound) + L" of " +
                std::to_wstring(m_Settings.dwMaxFillInTry) + L": " + strCount);
  StartPaced(requests, TX_DEV_FILL_IN);
}

DWORD CDiscoveryReach::CollectMissing(std::vector<Request>& requests) const {
  std::unordered_set<DWORD> seen;
  DWORD dwIncomplete = 0;
  // A read of the table: through the owner, after every answer filed before.
  m_Owner.RunTableOperation([&] {
  for (DWORD i = 0; i < m_Table.GetDeviceCount(); ++i) {
    const _DeviceInfo& device = *m_Table.GetDevice(i);
    DWORD dwAddress = 0;
    // A record without an address cannot be asked.
    if (!CHostList::ParseAddress(device.strIpAddress, dwAddress) || !seen.insert(dwAddress).second)
      continue;
    const unsigned told = m_Ledger.Told(dwAddress);
    const std::size_t before = requests.size();
    if (device.strMacAddress == CDeviceTable::kNoMacAddress && (told & Bit(CAnswerLedger::kMac)) == 0)
      requests.push_back({dwAddress, CAnswerLedger::kMac});
    for (unsigned f = CAnswerLedger::kName; f < CAnswerLedger::kFieldCount; ++f)
      if ((told & (1u << f)) == 0) requests.push_back({dwAddress, f});
    if (requests.size() > before) ++dwIncomplete;
  }
  }, true);
  return dwIncomplete;
}

void CDiscoveryReach::StartPaced(const std::vector<Request>& requests, DWORD dwAfter) {
  m_dwAfterPaced = dwAfter;
  m_dwPacedSent = 0;
  m_dwPacedUnanswered = 0;
  m_pPaced = std::make_unique<CPacedExchange>(CPacedExchange::kDefaultWindow,
                                              std::chrono::milliseconds(RequestTimeout()));
  for (const Request& request : requests) m_pPaced->Add(request);
  m_dwState.store(requests.empty() ? dwAfter : RX_DEV_PACED);
}

void CDiscoveryReach::OnRxPaced() {
  if (!m_pPaced) {  // nothing to pace: a state set from outside
    m_dwState.store(END_JOB);
    return;
  }
  const auto now = CPacedExchange::Clock::now();
  m_dwPacedUnanswered += static_cast<DWORD>(m_pPaced->Expire(now));
  for (const Request& request : m_pPaced->TakeSendable(now)) SendPaced(request);
  if (m_pPaced->Done()) {
    ConsoleAndLog(L"<RX_DEV_PACED> " + std::to_wstring(m_dwPacedSent) + L" requests sent, " +
                  std::to_wstring(m_dwPacedUnanswered) + L" unanswered");
    m_pPaced.reset();
    m_dwState.store(m_dwAfterPaced);
    return;
  }
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*m_pPaced->NextDeadline() - now);
  ReceivePaced(static_cast<DWORD>(std::max<long long>(wait.count(), 1)));
}

void CDiscoveryReach::SendPaced(const Request& request) {
  const std::wstring strAddress = Dotted(request.dwAddress);
  const std::wstring strMessage =
      CAnswerLedger::RequestFor(static_cast<CAnswerLedger::Field>(request.uKind));
  ++m_dwPacedSent;
  const DWORD dwResult = m_Transport.SendTextTo(strMessage, strAddress, m_Settings.uiTxPort, 0, L"");
  if (dwResult != 0) {
    Console(L"<RX_DEV_PACED> send to " + strAddress + L" failed (" + std::to_wstring(dwResult) + L")");
    return;  // its time-out frees its place in the window
  }
  m_Report.UnicastSent();
  Console(L"Message to IP <" + strAddress + L":" + std::to_wstring(m_Settings.uiTxPort) +
          L"> Size " + std::to_wstring(strMessage.size()) + L" Buffer: { " + strMessage + L" }");
}

void CDiscoveryReach::ReceivePaced(DWORD dwWait) {
  std::array<BYTE, CDiscoveryProtocol::kAnswerBufferSize> buffer{};
  for (int i = 0; i < kAnswersPerPass; ++i) {
    buffer.fill(0);
    DWORD dwReceived = 0, dwPort = 0;
    std::wstring strSender;
    const DWORD dwResult = m_Transport.Receive(buffer.data(), static_cast<DWORD>(buffer.size()),
                                               dwReceived, strSender, dwPort, i == 0 ? dwWait : 1);
    if (dwResult == IDiscoveryTransport::kZeroBytes) continue;
    if (dwReceived == IDiscoveryTransport::kNothingReceived) return;
    const std::wstring strAnswer =
        CDiscoveryProtocol::AnswerText(buffer.data(), std::min<std::size_t>(dwReceived, buffer.size()));
    Console(L"Rx Data From IP <" + strSender + L":" + std::to_wstring(dwPort) + L"> Size " +
            std::to_wstring(dwReceived) + L" Buffer: { " + strAnswer + L" }");
    Log(strAnswer);
    NoteReceived(strAnswer, strSender);
    FilePaced(strAnswer, strSender);
  }
}

void CDiscoveryReach::FilePaced(const std::wstring& strAnswer, const std::wstring& strSender) {
  if (!CDiscoveryProtocol::HasZqPrefix(strAnswer)) return;
  std::wstring strValue;
  const auto field = CAnswerLedger::FieldOf(strAnswer, &strValue);
  if (!field) {
    Console(L"Unknow Answer!");
    return;
  }
  DWORD dwAddress = 0;
  if (CHostList::ParseAddress(strSender, dwAddress)) m_pPaced->Answer(dwAddress, *field);
  if (*field >= CAnswerLedger::kFieldCount) return;
  // Filed through the owner, with copies of the answer.
  m_Owner.RunTableOperation(
      [pTable = &m_Table, nField = *field, strValue, strSender] {
        switch (nField) {
          case CAnswerLedger::kMac:
            if (!pTable->FillMacByIp(strValue, strSender))
              pTable->AddDeviceByMac(L"", L"", strSender, L"", strValue);
            break;
          case CAnswerLedger::kName: pTable->UpdateNameByIp(strValue, strSender); break;
          case CAnswerLedger::kModel: pTable->UpdateModelByIp(strValue, strSender); break;
          case CAnswerLedger::kSubnetMask: pTable->UpdateSubnetMaskByIp(strValue, strSender); break;
          case CAnswerLedger::kGateway: pTable->UpdateGatewayByIp(strValue, strSender); break;
          case CAnswerLedger::kDhcp: pTable->UpdateDhcpByIp(strValue, strSender); break;
          default: break;
        }
      },
      false);
  NoteFiled(strAnswer, strSender);
  Log(std::wstring(L"<RX_DEV_PACED>: ") + kFiledLabels[*field] + strValue + L", from IP Add.: " +
      strSender);
}

void CDiscoveryReach::NoteReceived(const std::wstring& strAnswer, const std::wstring& strSender) {
  DWORD dwSender = 0;
  if (!CHostList::ParseAddress(strSender, dwSender)) return;
  std::wstring strValue;
  const auto field = CAnswerLedger::FieldOf(strAnswer, &strValue);
  using Kind = CDiscoveryReport::AnswerKind;
  const Kind kind = field == CAnswerLedger::kMac    ? Kind::kMac
                    : field == CAnswerLedger::kName ? Kind::kName
                                                    : Kind::kOther;
  m_Report.AnswerReceived(dwSender, m_Transport.LastReceiveInterface(), kind, strValue);
}

void CDiscoveryReach::NoteFiled(const std::wstring& strAnswer, const std::wstring& strSender) {
  DWORD dwSender = 0;
  const auto field = CAnswerLedger::FieldOf(strAnswer);
  if (field && CHostList::ParseAddress(strSender, dwSender)) m_Ledger.Note(dwSender, *field);
}

DWORD CDiscoveryReach::RequestTimeout() const {
  return m_Settings.dwReciveThreadTimeout != 0 ? m_Settings.dwReciveThreadTimeout
                                               : kTransportDefaultTimeout;
}

void CDiscoveryReach::ConsoleAndLog(const std::wstring& strText) {
  Console(strText);
  Log(strText);
}

void CDiscoveryReach::Log(const std::wstring& strText) { m_Owner.GetLogFile().WriteTimedLine(strText); }

void CDiscoveryReach::Console(const std::wstring& strText) { m_Owner.WriteDebugConsole(strText); }
