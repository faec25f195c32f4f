#include "CLumoraDlg.h"

#include "CButtonST.h"
#include "CDeviceListCtrl.h"
#include "CDeviceListModel.h"
#include "CLedButton.h"
#include "CLumoraApp.h"
#include "CZqDebugDld.h"
#include "DialogTemplates.h"
#include "LumoraMessageBox.h"
#include "LumoraResources.h"
#include "LumoraStrings.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QSpinBox>
#include <QTabBar>

namespace {
QString String(UINT uiId) { return QString::fromWCharArray(LumoraStrings::Load(uiId)); }

// The picture buttons and their icons.
constexpr std::pair<int, UINT> kPictureButtons[] = {
    {CLumoraDlg::IDC_START, LumoraResources::kIconStart},
    {CLumoraDlg::IDC_STOP, LumoraResources::kIconStop},
    {CLumoraDlg::IDC_CONF, LumoraResources::kIconConf},
    {CLumoraDlg::IDCANCEL, LumoraResources::kIconExit},
    {CLumoraDlg::IDC_WEB, LumoraResources::kIconWeb},
    {CLumoraDlg::IDC_ABOUT, LumoraResources::kIconAbout},
    {CLumoraDlg::IDC_MAKER_SITE, LumoraResources::kIconMakerSite},
};

// EnableControls: the bit of each control.
constexpr std::pair<DWORD, int> kEnableBits[] = {
    {0x000001, CLumoraDlg::IDC_START},     {0x000002, CLumoraDlg::IDC_STOP},
    {0x000004, CLumoraDlg::IDC_TX_SLEEP},  {0x000008, CLumoraDlg::IDC_TX_UNSLEEP},
    {0x000010, CLumoraDlg::IDC_TX_PORT},   {0x001000, CLumoraDlg::IDC_RX_PORT},
    {0x100000, CLumoraDlg::IDC_TAB},       {0x200000, CLumoraDlg::IDC_LIST},
};

bool IsPictureButton(int nId) {
  for (const auto& [id, icon] : kPictureButtons)
    if (id == nId) return true;
  return nId == CLumoraDlg::IDC_LOGO;
}
}  // namespace

CLumoraDlg::CLumoraDlg(CLumoraApp& app, std::unique_ptr<IDiscoveryTransport> pTransport,
                       QWidget* pParent)
    : CTemplateDialog(DialogTemplates::Main(), pParent), m_App(app) {
  m_pWorker = std::make_unique<CDiscoveryWorker>(*this, m_Table, std::move(pTransport));
  BuildFromTemplate();
  m_pProgress = Item<QProgressBar>(IDC_PROGRESS);
  // Lamp layout: self-managed state, off, centred vertically.
  m_pTxLamp->SetLedLayout(true, 0, true);
  m_pRxLamp->SetLedLayout(true, 0, true);
  ConnectControls();
  InitWindowMenuKeys();
  CreateStatusLine();
}

CLumoraDlg::~CLumoraDlg() { ShutDownWorker(); }

QWidget* CLumoraDlg::CreateControl(const ControlSpec& spec) {
  const QString strCaption = QString::fromWCharArray(spec.szCaption);
  if (spec.nId == IDC_LIST) {
    m_pList = new CDeviceListCtrl;
    return m_pList;
  }
  if (spec.nId == IDC_TX_LAMP || spec.nId == IDC_RX_LAMP) {
    auto* pLamp = new CLedButton(strCaption);
    (spec.nId == IDC_TX_LAMP ? m_pTxLamp : m_pRxLamp) = pLamp;
    return pLamp;
  }
  if (IsPictureButton(spec.nId)) {
    auto* pButton = new CButtonST(strCaption);
    pButton->setDefault((spec.uStyle & ControlStyle::kDefault) != 0);
    return pButton;
  }
  return CTemplateDialog::CreateControl(spec);
}

void CLumoraDlg::ConnectControls() {
  const std::pair<int, void (CLumoraDlg::*)()> kButtons[] = {
      {IDOK, &CLumoraDlg::OnOK},
      {IDCANCEL, &CLumoraDlg::OnCancel},
      {IDC_ADD_ITEM, &CLumoraDlg::OnAddItem},
      {IDC_CLEAR_LIST, &CLumoraDlg::OnClearList},
      {IDC_START, &CLumoraDlg::OnStart},
      {IDC_STOP, &CLumoraDlg::OnStop},
      {IDC_TX_SLEEP, &CLumoraDlg::OnTxSleep},
      {IDC_TX_UNSLEEP, &CLumoraDlg::OnTxUnSleep},
      {IDC_TEST, &CLumoraDlg::OnTest},
      {IDC_REFRESH_ITEM, &CLumoraDlg::OnRefreshItem},
      {IDC_GET_FULL_STS, &CLumoraDlg::OnGetFullStatus},
      {IDC_GET_DEV_ID, &CLumoraDlg::OnGetDeviceId},
      {IDC_CONF, &CLumoraDlg::OnConf},
      {IDC_WEB, &CLumoraDlg::OnWeb},
      {IDC_ABOUT, &CLumoraDlg::OnAbout},
  };
  for (const auto& [nId, pHandler] : kButtons) {
    if (auto* pButton = Item<QAbstractButton>(nId))
      connect(pButton, &QAbstractButton::clicked, this, pHandler);
  }
  if (auto* pTab = Item<QTabBar>(IDC_TAB))
    connect(pTab, &QTabBar::currentChanged, this, &CLumoraDlg::OnTabSelChange);
  connect(m_pList, &CDeviceListCtrl::RowClicked, this, &CLumoraDlg::OnListClick);
  connect(m_pList, &CDeviceListCtrl::RowActivated, this, &CLumoraDlg::OnListDblClk);
}

int CLumoraDlg::DoModal() {
  OnInitDialog();
  return exec();
}

BOOL CLumoraDlg::OnInitDialog() {
  setWindowIcon(LumoraResources::Icon(LumoraResources::kIconMain));
  setWindowTitle(AppName());
  InitPictureButtons();
  if (auto* pSite = Item<CButtonST>(IDC_MAKER_SITE)) {
    pSite->AssignLink(String(LumoraStrings::kMakerWebAddress));
    pSite->setToolTip(pSite->GetLink());
  }

  uiRxPort = m_App.uiRxPort;
  uiTxPort = m_App.uiTxPort;
  dwMaxDiscoveryTry = m_App.dwMaxDiscoveryTry;
  dwMaxNoDataReadTry = m_App.dwMaxNoDataReadTry;
  dwReciveThreadTimeout = m_App.dwReciveThreadTimeout;
  dwRxEthTimeout = m_App.dwRxEthTimeout;
  dwTxEthTimeout = m_App.dwTxEthTimeout;
  dwRxThreadIdleTimeout = m_App.dwRxThreadIdleTimeout;
  dwTxThreadIdleTimeout = m_App.dwTxThreadIdleTimeout;
  dwBroadcastType = m_App.dwBroadcastType;
  InitReach();
  PublishSettings();
  UpdateData(false);

  if (auto* pTab = Item<QTabBar>(IDC_TAB)) {
    const QSignalBlocker blocker(pTab);
    for (UINT uiId : {LumoraStrings::kTabIcon, LumoraStrings::kTabSmallIcon,
                      LumoraStrings::kTabList, LumoraStrings::kTabDetails})
      pTab->addTab(String(uiId));
    pTab->setCurrentIndex(CDeviceListCtrl::kReportView);
  }
  InitDeviceList();
  ResetDeviceList();
  InitLamps();
  if (auto* pSpin = Item<QSpinBox>(IDC_RX_SPIN)) pSpin->setRange(1000, 45000);
  if (m_dwFlags & CLumoraApp::kFlagDebug) ShowDebugControls();
  m_bInitialised = true;
  FocusFirstControl();
  return 1;
}

void CLumoraDlg::InitPictureButtons() {
  if (auto* pLogo = Item<CButtonST>(IDC_LOGO))
    pLogo->AssignBitmap(LumoraResources::Bitmap(LumoraResources::kLogo, devicePixelRatio()), Qt::white);
  for (const auto& [nId, uiIcon] : kPictureButtons) {
    if (auto* pButton = Item<CButtonST>(nId)) {
      pButton->AssignIcon(LumoraResources::Icon(uiIcon));
      pButton->ShiftColor(CButtonST::BTNST_COLOR_BK_IN, 30, true);
    }
  }
}

void CLumoraDlg::InitDeviceList() {
  m_pList->Model().SetHeaders({String(LumoraStrings::kColumnName), String(LumoraStrings::kColumnModel),
                               String(LumoraStrings::kColumnIp), String(LumoraStrings::kColumnSubnetMask),
                               String(LumoraStrings::kColumnMac)});
  const int nWidth = m_pList->ClientWidth() / CDeviceListModel::kColumnCount;
  for (int i = 0; i < CDeviceListModel::kColumnCount; ++i) m_pList->SetColumnWidth(i, nWidth);
  std::vector<QIcon> images;
  for (int i = 0; i < LumoraResources::kDeviceImageCount; ++i)
    images.push_back(LumoraResources::DeviceImage(static_cast<DWORD>(i)));
  m_pList->Model().SetImages(std::move(images));
}

void CLumoraDlg::InitLamps() {
  const qreal ratio = devicePixelRatio();
  m_pTxLamp->SetLedImage(LumoraResources::Bitmap(LumoraResources::kLampTransmit, ratio), LumoraResources::kLampWidth);
  m_pRxLamp->SetLedImage(LumoraResources::Bitmap(LumoraResources::kLampReceive, ratio), LumoraResources::kLampWidth);
  m_pTxLamp->SetLedOn(0);
  m_pRxLamp->SetLedOn(0);
}

void CLumoraDlg::ShowDebugControls() {
  OpenDebugWindow();
  for (int nId : {IDC_TX_PORT, IDC_RX_PORT, IDC_TX_PORT_LABEL, IDC_RX_PORT_LABEL}) {
    EnableItem(nId, true);
    ShowItem(nId, true);
  }
  SetSelectedCaption(LumoraStrings::kNone);
  EnableItem(IDC_SELECTED_GROUP, false);
}

QString CLumoraDlg::AppName() const { return QCoreApplication::applicationName(); }

void CLumoraDlg::SetSelectedCaption(UINT uiStringId) {
  SetItemText(IDC_SELECTED_GROUP, String(LumoraStrings::kSelectedDeviceFormat).replace(QLatin1String("%s"), String(uiStringId)));
}

bool CLumoraDlg::ReadPort(int nId, UINT& uiPort) {
  auto* pEdit = Item<QLineEdit>(nId);
  if (pEdit == nullptr) return true;
  bool bNumber = false;
  const qulonglong ullValue = pEdit->text().trimmed().toULongLong(&bNumber);
  if (!bNumber || ullValue > 65535) {
    LumoraMessageBox::Show(this, AppName(), QStringLiteral("Please enter an integer between 0 and 65535."),
                           LumoraMessageBox::kExclamation);
    pEdit->setFocus();
    pEdit->selectAll();
    return false;
  }
  uiPort = static_cast<UINT>(ullValue);
  return true;
}

bool CLumoraDlg::UpdateData(bool bSaveAndValidate) {
  if (!bSaveAndValidate) {
    SetItemText(IDC_RX_PORT, QString::number(uiRxPort));
    SetItemText(IDC_TX_PORT, QString::number(uiTxPort));
    return true;
  }
  const bool bRead = ReadPort(IDC_RX_PORT, uiRxPort) && ReadPort(IDC_TX_PORT, uiTxPort);
  PublishSettings();
  return bRead;
}

void CLumoraDlg::PublishSettings() {
  std::lock_guard lock(m_SettingsMutex);
  m_RunSettings.uiTxPort = uiTxPort;
  m_RunSettings.uiRxPort = uiRxPort;
  m_RunSettings.dwBroadcastType = dwBroadcastType;
  m_RunSettings.dwMaxDiscoveryTry = dwMaxDiscoveryTry;
  m_RunSettings.dwMaxNoDataReadTry = dwMaxNoDataReadTry;
  m_RunSettings.dwReciveThreadTimeout = dwReciveThreadTimeout;
  m_RunSettings.dwRxThreadIdleTimeout = dwRxThreadIdleTimeout;
  // Keys of our own, read by the application; the operator's choices in
  // the window's menu take their place.
  m_RunSettings.strInterfaces = m_Reach.InterfacesOr(m_App.szInterfaces);
  m_RunSettings.strHosts = m_Reach.HostsOr(m_App.szHosts);
  m_RunSettings.dwMaxFillInTry = m_App.dwMaxFillInTry;
}

void CLumoraDlg::EnableControls(DWORD dwMask) {
  for (const auto& [dwBit, nId] : kEnableBits) EnableItem(nId, (dwMask & dwBit) != 0);
}

void CLumoraDlg::ShowSummary(const QString& strText, DWORD dwQueryMask) {
  SetItemText(IDC_SUMMARY, strText);
  if (m_pDebugWindow) {
    m_pDebugWindow->EnableQueryButtons(dwQueryMask);
    m_pDebugWindow->SetSummary(strText);
  }
}

void CLumoraDlg::OnStart() {
  WaitForVerification();  // it holds the answer port for a few seconds at most
  ResetDeviceList();
  ClearDeviceTable();
  m_nSelectedDevice = -1;
  UpdateData(true);  // a port refused by its range check does not stop the start
  EnableControls(kMaskRunning);
  ShowSummary(String(LumoraStrings::kNone), 0);
  EnableItem(IDC_CONF, false);
  SetSelectedCaption(LumoraStrings::kNone);
  EnableItem(IDC_SELECTED_GROUP, false);
  setWindowTitle(AppName());
  m_pProgress->setRange(0, 100);
  m_pProgress->setValue(0);
  NoteRunStart();
  m_pWorker->Start();
}

void CLumoraDlg::OnStop() {
  EnableControls(kMaskIdle);
  m_pWorker->RequestStop();
  m_pProgress->setValue(0);
  if (GetDeviceCount() != 0) {
    EnableItem(IDC_CONF, true);
    EnableItem(IDC_WEB, true);
    EnableItem(IDC_SELECTED_GROUP, true);
  } else if (QWidget* pStart = GetDlgItem(IDC_START)) {
    pStart->setFocus(Qt::OtherFocusReason);
  }
}

void CLumoraDlg::OnTxSleep() {
  EnableControls(kMaskPaused);
  m_pWorker->Pause();
}

void CLumoraDlg::OnTxUnSleep() {
  EnableControls(kMaskRunning);
  m_pWorker->Resume();
}

void CLumoraDlg::OnTabSelChange() {
  UpdateData(true);
  auto* pTab = Item<QTabBar>(IDC_TAB);
  const int nTab = pTab != nullptr ? pTab->currentIndex() : CDeviceListCtrl::kReportView;
  m_pList->SetView(nTab >= 0 && nTab <= CDeviceListCtrl::kReportView ? nTab : CDeviceListCtrl::kIconView);
}

void CLumoraDlg::OnListClick() {
  const int nRow = m_pList->FirstSelectedRow();
  if (nRow <= 0) return;  // none, or the placeholder row
  m_nSelectedDevice = nRow - 1;
  std::wstring strName, strModel, strIp;
  GetDeviceName(m_nSelectedDevice, strName);
  GetDeviceModel(m_nSelectedDevice, strModel);
  GetDeviceIpAddress(m_nSelectedDevice, strIp);
  ShowSummary(QStringLiteral("Printer: %1; ID: %2; IP Add: %3")
                  .arg(QString::fromStdWString(strName), QString::fromStdWString(strModel),
                       QString::fromStdWString(strIp)),
              CZqDebugDld::kQueryButtonsBit);
  setWindowTitle(QStringLiteral("%1 - %2").arg(AppName(), QString::fromStdWString(strName)));
  SetItemText(IDC_SELECTED_GROUP, String(LumoraStrings::kDeviceSelected));
  EnableItem(IDC_SELECTED_GROUP, true);
}

void CLumoraDlg::OnListDblClk() {
  const int nRow = m_pList->FirstSelectedRow();
  if (nRow < 0) return;
  if (nRow == 0) {
    OnStart();
    return;
  }
  m_nSelectedDevice = nRow - 1;
  OnConf();
}

void CLumoraDlg::OnSysCommand(UINT uiCommand) {
  if ((uiCommand & 0xFFF0) == kSysCommandAbout) OnAbout();
}

long CLumoraDlg::OnUserRefresh(unsigned long, long lParam) {
  if (lParam == 1) m_pTxLamp->SetLedOn(m_pTxLamp->isChecked() ? 0 : 1);
  else UpdateData(false);
  return 0;
}

void CLumoraDlg::OnOK() {
  ShutDownWorker();
  CloseDebugWindow();
  ClearDeviceTable();
  QDialog::accept();
}

void CLumoraDlg::OnCancel() {
  ShutDownWorker();
  CloseDebugWindow();
  ClearDeviceTable();
  QDialog::reject();
}

// The window manager's close box is Exit; it waits while an exchange runs.
void CLumoraDlg::closeEvent(QCloseEvent* pEvent) {
  if (m_bBusy) {
    pEvent->ignore();
    return;
  }
  QDialog::closeEvent(pEvent);
}

// The system menu's items (About, the window's own), offered on the
// window's context menu and on Alt+Space and F10: Qt cannot add items to the
// title bar's menu.
void CLumoraDlg::contextMenuEvent(QContextMenuEvent* pEvent) { ShowWindowMenu(pEvent->globalPos()); }

void CLumoraDlg::ShowWindowMenu(const QPoint& globalPos) {
  QMenu menu(this);
  BuildSystemMenu(menu);
  if (!menu.isEmpty()) menu.exec(globalPos);
}

// The debug console opens beside the main window.
void CLumoraDlg::showEvent(QShowEvent* pEvent) {
  CTemplateDialog::showEvent(pEvent);
  if (m_bPlaced || !m_pDebugWindow) return;
  m_bPlaced = true;
  const QRect frame = frameGeometry();
  QPoint at(frame.right() + 8, frame.top());
  if (const QScreen* pScreen = screen()) {
    const QRect area = pScreen->availableGeometry();
    if (at.x() + m_pDebugWindow->frameGeometry().width() > area.right())
      at.setX(std::max(area.left(), area.right() - m_pDebugWindow->frameGeometry().width()));
  }
  m_pDebugWindow->move(at);
}
