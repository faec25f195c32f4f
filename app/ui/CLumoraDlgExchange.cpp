// CLumoraDlg: the exchanges with one printer (SET, the framed queries) and
// the test message. Each runs off the window's thread: the window keeps
// painting while it waits, and input to it waits for the end.
#include "CDeviceListCtrl.h"
#include "CDeviceListModel.h"
#include "CLumoraDlg.h"
#include "CMessageSender.h"
#include "LumoraMessageBox.h"

#include <vector>

CConfigurationSettings CLumoraDlg::ExchangeSettings() const {
  CConfigurationSettings settings;
  settings.uiTxPort = uiTxPort;
  settings.uiRxPort = uiRxPort;
  settings.dwBroadcastType = dwBroadcastType;
  settings.dwRxEthTimeout = dwRxEthTimeout;
  return settings;
}

DWORD CLumoraDlg::SendSetCommand(const std::wstring& strIp, const std::wstring& strName,
                                 const std::wstring& strMask, const std::wstring& strGateway,
                                 const std::wstring& strMac, const std::wstring& strDhcp) {
  WaitForVerification();  // the look for the last printer shares the transport
  CConfigurationExchange::SetOutcome outcome;
  const CConfigurationSettings settings = ExchangeSettings();
  // One receive attempt per device row, counted again before each attempt.
  const CConfigurationExchange::AttemptCount attempts = [this] {
    DWORD dwRows = 0;
    m_Gate.Run([&] {
      const int nRows = m_pList->Model().rowCount();
      dwRows = nRows > 1 ? static_cast<DWORD>(nRows - 1) : 0;
    });
    return dwRows;
  };
  RunOffUiThread([&] {
    CConfigurationExchange exchange(settings, m_pWorker->GetTransport(),
                                    [this](const std::wstring& strLine) { WriteDebugConsole(strLine); });
    outcome = exchange.SendSetCommand(strIp, strName, strMask, strGateway, strMac, strDhcp, attempts);
  });
  m_LastSetOutcome = outcome;
  ShowSetOutcome(outcome);
  return outcome.dwResult;
}

void CLumoraDlg::ShowSetOutcome(const CConfigurationExchange::SetOutcome& outcome) {
  if (outcome.uiMessage == 0) return;
  LumoraMessageBox::Show(this, AppName(), QString::fromStdWString(outcome.Text()),
                         outcome.bErrorIcon ? LumoraMessageBox::kError : LumoraMessageBox::kNoIcon);
}

DWORD CLumoraDlg::QueryDevice(const BYTE* pFrame, DWORD dwLength, const std::wstring& strIp, BYTE* pAnswer,
                              DWORD& dwAnswerLength) {
  WaitForVerification();
  DWORD dwResult = 0;
  const CConfigurationSettings settings = ExchangeSettings();
  RunOffUiThread([&] {
    CConfigurationExchange exchange(settings, m_pWorker->GetTransport(),
                                    [this](const std::wstring& strLine) { WriteDebugConsole(strLine); });
    dwResult = exchange.QueryDevice(pFrame, dwLength, strIp, pAnswer, dwAnswerLength);
  });
  return dwResult;
}

void CLumoraDlg::RunQuery(BYTE btData) {
  const std::vector<BYTE> frame = CConfigurationExchange::BuildQueryFrame(btData);
  std::wstring strIp;
  if (frame.empty() || !GetDeviceIpAddress(m_nSelectedDevice, strIp)) return;
  std::vector<BYTE> answer(1024);
  DWORD dwAnswerLength = static_cast<DWORD>(answer.size());
  QueryDevice(frame.data(), static_cast<DWORD>(frame.size()), strIp, answer.data(), dwAnswerLength);
}

void CLumoraDlg::OnGetFullStatus() { RunQuery(CConfigurationExchange::kFullStatus); }

void CLumoraDlg::OnGetDeviceId() { RunQuery(CConfigurationExchange::kDeviceId); }

void CLumoraDlg::OnTest() {
  WaitForVerification();
  CMessageSender sender(m_pWorker->GetTransport(),
                        [this](const std::wstring& strLine) { WriteDebugConsole(strLine); });
  sender.Send(L"<ZQ><0!!0>", uiTxPort, dwBroadcastType);
}
