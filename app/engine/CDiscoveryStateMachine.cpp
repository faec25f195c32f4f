#include "CDiscoveryStateMachine.h"

#include "CDeviceTable.h"
#include "CLogFileManager.h"
#include "IDiscoveryOwner.h"
#include "IDiscoveryTransport.h"

CDiscoveryStateMachine::CDiscoveryStateMachine(IDiscoveryOwner& owner, CDeviceTable& table,
                                               IDiscoveryTransport& transport,
                                               std::atomic<DWORD>& dwState, IdleWait idleWait)
    : m_Owner(owner),
      m_Table(table),
      m_Transport(transport),
      m_Sender(transport,
               [&owner](const std::wstring& strLine) { owner.WriteDebugConsole(strLine); }),
      m_dwState(dwState),
      m_IdleWait(std::move(idleWait)),
      m_Reach(owner, table, transport, m_Sender, dwState) {}

void CDiscoveryStateMachine::Begin() {
  m_Settings = m_Owner.GetDiscoverySettings();
  // A receiving endpoint that cannot be opened (port in use) is not fatal:
  // every receive then reports at once that nothing came, and the run ends
  // through the no-data path.
  m_Transport.OpenReceiver(m_Settings.uiRxPort);
  m_Reach.Begin(m_Settings);
  m_Buffer.fill(0);
  m_dwTryCounter = 0;
  m_dwNoDataCounter = 0;
}

void CDiscoveryStateMachine::End() {
  m_Reach.End();
  m_Transport.CloseReceiver();
}

void CDiscoveryStateMachine::Pass() {
  switch (m_dwState.load()) {
    case TX_DEV_DISCOVERY: OnTxDiscovery(); break;
    case RX_DEV_IDLE: OnRxIdle(); break;
    case RX_DEV_DISCOVERY: OnRxDiscovery(); break;
    case RX_DEV_NOREAD: OnRxNoRead(); break;
    case END_DEV_DISCOVERY: OnEndDiscovery(); break;
    case TX_DEV_REQ_INFO: OnTxRequestInfo(); break;
    case RX_DEV_INFO_IDLE: OnRxInfoIdle(); break;
    case RX_DEV_INFO: OnRxInfo(); break;
    case RX_DEV_INFO_NOREAD: OnRxInfoNoRead(); break;
    case END_JOB: OnEndJob(); break;
    case TX_DEV_UNICAST: m_Reach.OnTxUnicast(); break;
    case TX_DEV_FILL_IN: m_Reach.OnTxFillIn(); break;
    case RX_DEV_PACED: m_Reach.OnRxPaced(); break;
    default: break;  // an unknown state does nothing
  }
}

void CDiscoveryStateMachine::OnTxDiscovery() {
  if (!m_Reach.Broadcasting()) {  // unicast alone: no broadcast phase
    SetState(m_Reach.AfterDiscoveryPhase());
    return;
  }
  ConsoleAndLog(L"<TX_DEV_DISCOVERY>");
  const bool bTriesLeft = m_dwTryCounter < m_Settings.dwMaxDiscoveryTry;
  ++m_dwTryCounter;
  if (!bTriesLeft) {
    SetState(m_Reach.AfterDiscoveryPhase());
    return;
  }
  Log(L"<TX_DEV_DISCOVERY><ZQ><0000> Another discovery try...");
  m_Reach.Broadcast(CDiscoveryProtocol::DiscoveryRequest());  // a failed send is not retried
  SetState(RX_DEV_IDLE);
}

void CDiscoveryStateMachine::OnRxIdle() {
  ConsoleAndLog(L"<RX_DEV_IDLE>");
  m_IdleWait(m_Settings.dwRxThreadIdleTimeout);
  SetState(RX_DEV_DISCOVERY);
}

void CDiscoveryStateMachine::OnRxDiscovery() {
  ConsoleAndLog(L"<RX_DEV_DISCOVERY>");
  m_Owner.ToggleLamp(IDiscoveryOwner::kReceiveLamp);
  std::wstring strAnswer, strSender;
  const Reception reception = ReceiveAnswer(strAnswer, strSender);
  if (reception == Reception::kEmpty) return;  // stay and receive again
  if (reception == Reception::kNothing) {
    Log(L"<RX_DEV_DISCOVERY>: no data read...");
    SetState(RX_DEV_NOREAD);
  } else {
    FileDiscoveryAnswer(strAnswer, strSender);
    SetState(RX_DEV_IDLE);
  }
  m_Owner.ToggleLamp(IDiscoveryOwner::kReceiveLamp);
}

void CDiscoveryStateMachine::OnRxNoRead() {
  ConsoleAndLog(L"<RX_DEV_NOREAD>");
  if (m_dwNoDataCounter >= m_Settings.dwMaxNoDataReadTry) {
    Log(L"<RX_DEV_NOREAD> No more try...");
    m_dwNoDataCounter = 0;
    SetState(m_dwTryCounter < m_Settings.dwMaxDiscoveryTry ? TX_DEV_DISCOVERY
                                                           : m_Reach.AfterDiscoveryPhase());
    return;
  }
  ++m_dwNoDataCounter;
  Log(L"<RX_DEV_NOREAD> Anoter try...");
  m_IdleWait(m_Settings.dwRxThreadIdleTimeout);
  SetState(RX_DEV_DISCOVERY);
}

void CDiscoveryStateMachine::OnEndDiscovery() {
  Console(L"<END_DEV_DISCOVERY>");
  DWORD dwDevices = 0;
  m_Owner.RunTableOperation([&] { dwDevices = m_Table.GetDeviceCount(); }, true);
  if (dwDevices == 0) {
    Console(L"<END_DEV_DISCOVERY> NO device found!");
    Log(L"<END_DEV_DISCOVERY>: no device detected.. stop here");
    SetState(END_JOB);
    return;
  }
  Log(L"<END_DEV_DISCOVERY>: device found... get other data...");
  m_dwTryCounter = 0;
  m_dwNoDataCounter = 0;
  // Unicast alone has asked its printers already.
  SetState(m_Reach.Broadcasting() ? TX_DEV_REQ_INFO : m_Reach.AfterInfoPhase());
}

void CDiscoveryStateMachine::OnTxRequestInfo() {
  Console(L"<TX_DEV_REQ_INFO>");
  ++m_dwTryCounter;
  for (int i = 0; i < CDiscoveryProtocol::kInfoFieldCount; ++i) {
    const std::wstring strRequest =
        CDiscoveryProtocol::InfoRequest(static_cast<CDiscoveryProtocol::InfoField>(i));
    m_Reach.Broadcast(strRequest);
    Log(L"<TX_DEV_REQ_INFO>: " + strRequest);
  }
  SetState(RX_DEV_INFO_IDLE);
}

void CDiscoveryStateMachine::OnRxInfoIdle() {
  ConsoleAndLog(L"<RX_DEV_INFO_IDLE>");
  m_IdleWait(m_Settings.dwRxThreadIdleTimeout);
  SetState(RX_DEV_INFO);
}

void CDiscoveryStateMachine::OnRxInfo() {
  Console(L"<RX_DEV_INFO>");
  m_Owner.ToggleLamp(IDiscoveryOwner::kReceiveLamp);
  std::wstring strAnswer, strSender;
  const Reception reception = ReceiveAnswer(strAnswer, strSender);
  if (reception == Reception::kEmpty) return;
  if (reception == Reception::kNothing) {
    Log(L"<RX_DEV_INFO>: no data read...");
    SetState(RX_DEV_INFO_NOREAD);
  } else {
    FileInfoAnswer(strAnswer, strSender);
    SetState(RX_DEV_INFO_IDLE);
  }
  m_Owner.ToggleLamp(IDiscoveryOwner::kReceiveLamp);
}

void CDiscoveryStateMachine::OnRxInfoNoRead() {
  ConsoleAndLog(L"<RX_DEV_INFO_NOREAD>");
  if (m_dwNoDataCounter >= m_Settings.dwMaxNoDataReadTry) {
    m_dwNoDataCounter = 0;
    const bool bLastTry = m_dwTryCounter >= m_Settings.dwMaxDiscoveryTry;
    ++m_dwTryCounter;
    SetState(bLastTry ? m_Reach.AfterInfoPhase() : TX_DEV_REQ_INFO);
    return;
  }
  ++m_dwNoDataCounter;
  Log(L"<RX_DEV_INFO_NOREAD> Another try...");
  m_IdleWait(m_Settings.dwRxThreadIdleTimeout);
  SetState(RX_DEV_INFO);
}

void CDiscoveryStateMachine::OnEndJob() {
  Console(L"<END_JOB>");
  m_Owner.StopDiscovery();
}

// One receive into the zeroed buffer. A datagram is reported on the debug
// console and its text logged; an oversized one counts as a datagram with no
// text, so that it is dropped like any other answer without "<ZQ>".
CDiscoveryStateMachine::Reception CDiscoveryStateMachine::ReceiveAnswer(std::wstring& strAnswer,
                                                                        std::wstring& strSender) {
  m_Buffer.fill(0);
  DWORD dwReceived = 0;
  DWORD dwSenderPort = 0;
  const DWORD dwResult =
      m_Transport.Receive(m_Buffer.data(), static_cast<DWORD>(m_Buffer.size()), dwReceived,
                          strSender, dwSenderPort, m_Settings.dwReciveThreadTimeout);
  if (dwResult == IDiscoveryTransport::kZeroBytes) return Reception::kEmpty;
  if (dwReceived == IDiscoveryTransport::kNothingReceived) return Reception::kNothing;
  const std::size_t count = dwReceived < m_Buffer.size() ? dwReceived : m_Buffer.size();
  strAnswer = CDiscoveryProtocol::AnswerText(m_Buffer.data(), count);
  Console(L"Rx Data From IP <" + strSender + L":" + std::to_wstring(dwSenderPort) + L"> Size " +
          std::to_wstring(dwReceived) + L" Buffer: { " + strAnswer + L" }");
  Log(strAnswer);
  m_Reach.NoteReceived(strAnswer, strSender);
  return Reception::kDatagram;
}

void CDiscoveryStateMachine::FileDiscoveryAnswer(const std::wstring& strAnswer,
                                                 const std::wstring& strSender) {
  if (!CDiscoveryProtocol::HasZqPrefix(strAnswer)) return;  // not ours: dropped silently
  std::wstring strMac;
  if (!CDiscoveryProtocol::FindValue(strAnswer, CDiscoveryProtocol::kMacTag, strMac)) {
    Console(L"Unknow Answer!");
    return;
  }
  m_Owner.RunTableOperation(
      [pTable = &m_Table, strSender, strMac] { pTable->AddDeviceByMac(L"", L"", strSender, L"", strMac); },
      false);
  m_Reach.NoteFiled(strAnswer, strSender);
  Log(L"<RX_DEV_DISCOVERY>: Mac Add.: " + strMac + L", from IP Add.: " + strSender);
}

void CDiscoveryStateMachine::FileInfoAnswer(const std::wstring& strAnswer,
                                            const std::wstring& strSender) {
  using Field = CDiscoveryProtocol::InfoField;
  if (!CDiscoveryProtocol::HasZqPrefix(strAnswer)) return;
  std::wstring strValue;
  const Field field = CDiscoveryProtocol::FindInfoField(strAnswer, strValue);
  const wchar_t* szLabel = nullptr;
  switch (field) {
    case Field::kName:
      FileField(&CDeviceTable::UpdateNameByIp, strValue, strSender);
      szLabel = L"<RX_DEV_INFO>: Printer Name.: ";
      break;
    case Field::kModel:
      FileField(&CDeviceTable::UpdateModelByIp, strValue, strSender);
      szLabel = L"<RX_DEV_INFO>: Printer Model.: ";
      break;
    case Field::kSubnetMask:
      FileField(&CDeviceTable::UpdateSubnetMaskByIp, strValue, strSender);
      szLabel = L"<RX_DEV_INFO>: Sub Net Mask.: ";
      break;
    case Field::kGateway:
      FileField(&CDeviceTable::UpdateGatewayByIp, strValue, strSender);
      szLabel = L"<RX_DEV_INFO>: Gateway.: ";
      break;
    case Field::kDhcp:
      FileField(&CDeviceTable::UpdateDhcpByIp, strValue, strSender);
      szLabel = L"<RX_DEV_INFO>: DHCP: ";
      break;
    case Field::kNone: Console(L"Unknow Answer!"); return;
  }
  m_Reach.NoteFiled(strAnswer, strSender);
  Log(szLabel + strValue + L", from IP Add.: " + strSender);
}

void CDiscoveryStateMachine::FileField(FieldUpdate update, const std::wstring& strValue,
                                       const std::wstring& strSender) {
  m_Owner.RunTableOperation(
      [pTable = &m_Table, update, strValue, strSender] { (pTable->*update)(strValue, strSender); }, false);
}

void CDiscoveryStateMachine::ConsoleAndLog(const std::wstring& strText) {
  Console(strText);
  Log(strText);
}

void CDiscoveryStateMachine::Log(const std::wstring& strText) {
  m_Owner.GetLogFile().WriteTimedLine(strText);
}

void CDiscoveryStateMachine::Console(const std::wstring& strText) {
  m_Owner.WriteDebugConsole(strText);
}
