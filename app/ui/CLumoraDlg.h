#pragma once
// The main window: the device list, Start and Stop of the discovery, the
// activity lamps and progress bar, and every operator action (configure a
// printer, its web page, About, and in debug mode the test console).
//
// It owns the device table and the discovery worker. Everything the worker
// does to the window or the table runs on the window's thread, in the
// worker's order (CUiWorkQueue, CUiThreadGate): the table is thus used by
// one thread only. The worker waits where it reads (the device count, the
// stop routine) and goes on at once where it only tells.
#include "CAddressProbe.h"
#include "CConfigurationExchange.h"
#include "CConsoleLineBatcher.h"
#include "CPrinterSettings.h"
#include "CSettingsFinding.h"
#include "CSetVerifier.h"
#include "CUiWorkQueue.h"
#include "CDeviceTable.h"
#include "CDiscoveryWorker.h"
#include "CLocalSubnets.h"
#include "CReachPreferences.h"
#include "CTemplateDialog.h"
#include "CUiThreadGate.h"
#include "IDiscoveryOwner.h"

#include <corvane/CorvaneTypes.h>

#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class CButtonST;
class CDeviceListCtrl;
class CInstallPrinterDlg;
class CPrinterStatusPanel;
class QMenu;
class CLedButton;
class CLumoraApp;
class CZqDebugDld;
class CZqIPCfgDlg;
class QLabel;
class QMenu;
class QProgressBar;

class CLumoraDlg : public CTemplateDialog, public IDiscoveryOwner {
  Q_OBJECT

 public:
  enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDC_WEB = 3,
    IDC_TAB = 1000,
    IDC_LIST = 1002,
    IDC_ADD_ITEM = 1003,
    IDC_CLEAR_LIST = 1004,
    IDC_START = 1006,
    IDC_STOP = 1007,
    IDC_TX_SLEEP = 1008,
    IDC_TX_UNSLEEP = 1009,
    IDC_REFRESH_ITEM = 1010,
    IDC_TX_LAMP = 1011,
    IDC_RX_LAMP = 1012,
    IDC_RX_SPIN = 1018,
    IDC_RX_PORT = 1019,
    IDC_TX_SPIN = 1020,
    IDC_TX_PORT = 1021,
    IDC_TEST = 1022,
    IDC_GET_FULL_STS = 1023,
    IDC_SUMMARY = 1024,
    IDC_GET_DEV_ID = 1025,
    IDC_CONF = 1026,
    IDC_SELECTED_GROUP = 1032,
    IDC_ABOUT = 1034,
    IDC_LOGO = 1035,
    IDC_MAKER_SITE = 1036,
    IDC_PROGRESS = 1037,
    IDC_TX_PORT_LABEL = 1038,
    IDC_RX_PORT_LABEL = 1039,
  };
  static constexpr UINT kSysCommandAbout = 0x0010;
  static constexpr UINT kUserRefresh = 0x0400 + 3000;
  // EnableControls masks: running, idle, paused.
  static constexpr DWORD kMaskRunning = 0x100006;
  static constexpr DWORD kMaskIdle = 0x301011;
  static constexpr DWORD kMaskPaused = 0x100008;
  static constexpr int kShowNormal = 5;

  // Without a transport the window talks UDP.
  explicit CLumoraDlg(CLumoraApp& app, std::unique_ptr<IDiscoveryTransport> pTransport = nullptr,
                      QWidget* pParent = nullptr);
  ~CLumoraDlg() override;

  void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
  // OnInitDialog, then the modal run; the dialog's result.
  int DoModal();
  BOOL OnInitDialog();

  // Device list and table.
  void ResetDeviceList();
  BOOL InsertDeviceRow(DWORD dwImage, const std::wstring& strName, const std::wstring& strModel,
                       const std::wstring& strIpAddress, const std::wstring& strSubnetMask,
                       const std::wstring& strMacAddress) override;
  void UpdateDeviceRow(DWORD dwRow, DWORD dwImage, const std::wstring& strName,
                       const std::wstring& strModel, const std::wstring& strIpAddress,
                       const std::wstring& strSubnetMask, const std::wstring& strMacAddress) override;
  BOOL ClearDeviceTable();
  DWORD GetDeviceCount() const { return m_Table.GetDeviceCount(); }
  bool GetDeviceName(int nIndex, std::wstring& strOut) const;
  bool GetDeviceModel(int nIndex, std::wstring& strOut) const;
  bool GetDeviceIpAddress(int nIndex, std::wstring& strOut) const;
  bool GetDeviceSubnetMask(int nIndex, std::wstring& strOut) const;
  bool GetDeviceMacAddress(int nIndex, std::wstring& strOut) const;
  bool GetDeviceGateway(int nIndex, std::wstring& strOut) const;
  bool GetDeviceDhcp(int nIndex, std::wstring& strOut) const;
  void EnableControls(DWORD dwMask);

  // Handlers of the controls.
  void OnStart();
  void OnStop();
  void OnTxSleep();
  void OnTxUnSleep();
  void OnClearList();
  void OnAddItem();
  void OnRefreshItem();
  void OnTabSelChange();
  void OnListClick();
  void OnListDblClk();
  void OnConf();
  void OnWeb();
  void OnAbout();
  void OnSysCommand(UINT uiCommand);
  void OnTest();
  void OnGetFullStatus();
  void OnGetDeviceId();
  // Installing the selected printer and showing its status.
  void OnInstallPrinter();
  void OnPrinterStatus();
  long OnUserRefresh(unsigned long wParam, long lParam);
  void OnOK();
  void OnCancel();

  // Opens the system menu (right click, Alt+Space, F10) there.
  void ShowWindowMenu(const QPoint& globalPos);
  // How far a discovery reaches: the interfaces its broadcasts leave
  // through and the printers it asks by address (both used by the next
  // Start and remembered), and the report of the last run.
  void OnNetworkInterfaces();
  void OnFindByAddress();
  void OnDiscoveryReport();
  // The warning a row of a printer at this address carries: empty inside
  // this computer's subnets.
  QString OutsiderWarning(const std::wstring& strIpAddress) const;

  // The configuration exchange.
  int ApplyConfiguration(int nIndex, const std::wstring& strName, const std::wstring& strIp,
                         const std::wstring& strMask, const std::wstring& strGateway,
                         const std::wstring& strMac, const std::wstring& strDhcp);
  DWORD SendSetCommand(const std::wstring& strIp, const std::wstring& strName,
                       const std::wstring& strMask, const std::wstring& strGateway,
                       const std::wstring& strMac, const std::wstring& strDhcp);
  DWORD QueryDevice(const BYTE* pFrame, DWORD dwLength, const std::wstring& strIp, BYTE* pAnswer,
                    DWORD& dwAnswerLength);
  // Opens the address in the desktop's browser, or else in the browser
  // registered for HTML documents; above 32 on success, else a shell code.
  virtual int OpenUrl(const QString& strUrl, int nShow);
  // The code's words in a message box with the exclamation icon.
  void ReportShellError(int nCode);

  // Safe provisioning around the SET command: the status line of the
  // "Selected device" frame (the look for a printer after its SET), a wait
  // for that look (it shares the transport), a device row's menu and the
  // export (in the system menu).
  QLabel* StatusLine() const { return m_pStatusLine; }
  void WaitForVerification();
  // The menu of device row nRow (from 1): configure, web page, install,
  // status, copies.
  void FillDeviceMenu(QMenu& menu, int nRow);
  void OnExportList();
  void SetVerifyTiming(const CSetVerifier::Timing& timing) { m_VerifyTiming = timing; }

  // The debug console (debug mode only).
  void OpenDebugWindow();
  void CloseDebugWindow();
  CZqDebugDld* DebugWindow() const { return m_pDebugWindow.get(); }

  // What the discovery worker asks of its owner.
  void WriteDebugConsole(const std::wstring& strLine) override;
  void ToggleLamp(Lamp lamp) override;
  void StepProgress() override;
  void StopDiscovery() override;
  void RunTableOperation(std::function<void()> operation, bool bWait) override;
  CDiscoverySettings GetDiscoverySettings() const override;
  CLogFileManager& GetLogFile() override;

  // State that the operator sees indirectly.
  int GetSelectedDevice() const { return m_nSelectedDevice; }
  bool IsRunActive() const { return m_pWorker->IsRunActive(); }
  CDeviceListCtrl& DeviceList() const { return *m_pList; }
  CLedButton& Lamp(Lamp lamp) const;
  // The window's system menu: About; the reach items; for the selected
  // printer (when no run is active) Install printer... and Printer
  // status...; Export list...
  void BuildSystemMenu(QMenu& menu);
  // Install printer... and Printer status... for the selected printer, as
  // the system menu and the device rows' menu offer them.
  void AddPrinterActions(QMenu& menu);
  CPrinterStatusPanel* StatusPanel() const { return m_pStatusPanel; }
  QString AppName() const;
  // Waits (bounded, the window still serving the worker) for a run that
  // has been asked to stop; true when none is left.
  bool WaitForRunEnd();
  // The device table, for the window's own commands and its tests.
  CDeviceTable& Table() { return m_Table; }

  // Settings, copied from the application when the window opens.
  UINT uiRxPort = 15001;
  UINT uiTxPort = 15000;
  DWORD dwMaxDiscoveryTry = 3;
  DWORD dwMaxNoDataReadTry = 2;
  DWORD dwReciveThreadTimeout = 200;
  DWORD dwRxEthTimeout = 1000;
  DWORD dwTxEthTimeout = 1000;
  DWORD dwRxThreadIdleTimeout = 50;
  DWORD dwTxThreadIdleTimeout = 50;
  DWORD dwBroadcastType = 1;

 protected:
  QWidget* CreateControl(const ControlSpec& spec) override;
  void accept() override { OnOK(); }
  void reject() override { OnCancel(); }
  void closeEvent(QCloseEvent* pEvent) override;
  void contextMenuEvent(QContextMenuEvent* pEvent) override;
  void showEvent(QShowEvent* pEvent) override;
  // infolio's About box with the program's caption, name and release.
  virtual void ShowAboutBox();

  // The default card's settings, the starting values of a configuration.
  struct CardValues {
    std::wstring strIpAddress, strSubnetMask, strGateway, strMacAddress;
  };
  virtual void ReadDefaultCard(CardValues& values) const;
  // Runs the configuration dialog modally; its result.
  virtual int RunConfigurationDialog(CZqIPCfgDlg& dialog);
  // Runs one of the window's other dialogs modally; its result.
  virtual int RunDialog(QDialog& dialog);
  // What asks the network whether an address is taken.
  virtual IAddressProbe& AddressProbe() { return m_Probe; }
  // The file the list goes to (.json: JSON, else CSV); false when cancelled.
  virtual bool ChooseExportFile(QString& strPath);
  // Runs the install dialog modally; its result.
  virtual int RunInstallDialog(CInstallPrinterDlg& dialog);

 private:
  void ConnectControls();
  void InitPictureButtons();
  void InitDeviceList();
  void InitLamps();
  void ShowDebugControls();
  // Ports between the edits and the members; false after a range error
  // (shown), the members then as they stood.
  bool UpdateData(bool bSaveAndValidate);
  bool ReadPort(int nId, UINT& uiPort);
  void PublishSettings();
  void SetSelectedCaption(UINT uiStringId);
  void ShowSummary(const QString& strText, DWORD dwQueryMask);
  void AddTestRows(int nFirstAddress, bool bRefresh);
  const _DeviceInfo* Record(int nIndex) const;
  bool GetField(int nIndex, std::wstring _DeviceInfo::*pField, std::wstring& strOut) const;
  // Runs the work on a thread of its own while the window goes on painting
  // and serving the gate; input to the window waits until it is done.
  void RunOffUiThread(const std::function<void()>& work);
  // Stops a run and waits for it before the window goes away.
  void ShutDownWorker();
  CConfigurationSettings ExchangeSettings() const;
  void ShowSetOutcome(const CConfigurationExchange::SetOutcome& outcome);
  void RunQuery(BYTE btData);
  void ShowConsoleLines(std::vector<QString> lines);
  void AddReachItems(QMenu& menu);
  void InitWindowMenuKeys();
  void InitReach();
  void RefreshLocalSubnets();
  void NoteRunStart();
  void SaveReach();
  // The check the configuration dialog runs on OK, for the printer strMac.
  std::function<std::vector<CSettingsFinding>(const CPrinterSettings&)> MakeSettingsCheck(
      const std::wstring& strMac);
  // After a SET went out: the look for the printer (when it confirmed) and
  // the change journal's entry.
  void AfterSetCommand(const std::wstring& strMac, const std::optional<CPrinterSettings>& old,
                       const CPrinterSettings& proposed);
  void ShowDeviceMenu(int nRow, const QPoint& globalPos);
  void CreateStatusLine();

  CLumoraApp& m_App;
  DWORD m_dwFlags = 0;
  int m_nSelectedDevice = -1;
  bool m_bInitialised = false;
  bool m_bPlaced = false;
  bool m_bBusy = false;  // an exchange runs off the window's thread
  bool m_bShutDown = false;

  CDeviceListCtrl* m_pList = nullptr;
  QProgressBar* m_pProgress = nullptr;
  CLedButton* m_pTxLamp = nullptr;
  CLedButton* m_pRxLamp = nullptr;
  std::unique_ptr<CZqDebugDld> m_pDebugWindow;
  CPrinterStatusPanel* m_pStatusPanel = nullptr;  // a child, made when first asked for

  // The operator's reach choices, and this computer's subnets as of the
  // last Start; whether a run has started since the window opened.
  CReachPreferences m_Reach;
  CLocalSubnets m_LocalSubnets;
  QString m_strOutsiderWarning;  // for rows outside m_LocalSubnets
  bool m_bRunStarted = false;

  // The settings a run or exchange reads from another thread.
  mutable std::mutex m_SettingsMutex;
  CDiscoverySettings m_RunSettings;

  // Lamp states as the worker flips them, and whether a repaint is queued.
  std::array<std::atomic<int>, 2> m_aLampState{};
  std::array<std::atomic<bool>, 2> m_aLampPending{};

  CAddressProbe m_Probe;
  QLabel* m_pStatusLine = nullptr;
  CConfigurationExchange::SetOutcome m_LastSetOutcome;  // of the last SendSetCommand
  CSetVerifier::Timing m_VerifyTiming;
  std::thread m_Verification;  // the look for a printer after its SET

  CUiThreadGate m_Gate{*this};
  CUiWorkQueue m_WorkQueue{m_Gate};
  CConsoleLineBatcher m_ConsoleLines{
      m_WorkQueue, [this](std::vector<QString> lines) { ShowConsoleLines(std::move(lines)); }};
  CDeviceTable m_Table{*this};
  // Last: its threads end before the table and the gate go.
  std::unique_ptr<CDiscoveryWorker> m_pWorker;
};
