// CLumoraDlg: safe provisioning around the SET command (the check on the
// configuration dialog's OK, the look for the printer afterwards, the change
// journal), the device rows' menu and the export of the list.
#include "CChangeJournal.h"
#include "CChangeRunner.h"
#include "CDeviceExport.h"
#include "CDeviceListCtrl.h"
#include "CDeviceListModel.h"
#include "CLumoraDlg.h"
#include "CSettingsCheck.h"
#include "LumoraMessageBox.h"
#include "LumoraStrings.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>

namespace {

QString Text(const std::wstring& strText) { return QString::fromStdWString(strText); }

// The status line sits in the "Selected device" frame, below Conf. (dialog units).
constexpr int kStatusX = 228, kStatusY = 228, kStatusWidth = 84, kStatusHeight = 27;

void WriteJournal(const CChangeEntry& entry, const std::function<void(const std::wstring&)>& console) {
  std::string error;
  if (!CChangeJournal(CChangeJournal::DefaultPath()).Append(entry, error))
    console(L"<JOURNAL> the change was not written: " + std::wstring(error.begin(), error.end()));
}

}  // namespace

void CLumoraDlg::CreateStatusLine() {
  m_pStatusLine = new QLabel(this);
  m_pStatusLine->setObjectName(QStringLiteral("status"));
  m_pStatusLine->setWordWrap(true);
  m_pStatusLine->setTextFormat(Qt::PlainText);
  m_pStatusLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_pStatusLine->setGeometry(Units().ToPixels(kStatusX, kStatusY, kStatusWidth, kStatusHeight));
  connect(m_pList, &CDeviceListCtrl::RowMenuRequested, this, &CLumoraDlg::ShowDeviceMenu);
}

std::function<std::vector<CSettingsFinding>(const CPrinterSettings&)> CLumoraDlg::MakeSettingsCheck(
    const std::wstring& strMac) {
  return [this, strMac](const CPrinterSettings& proposed) {
    std::vector<_DeviceInfo> list;
    for (DWORD i = 0; i < m_Table.GetDeviceCount(); ++i) list.push_back(*m_Table.GetDevice(i));
    const CSettingsCheck check(m_pWorker->GetTransport().ListInterfaces(), &AddressProbe());
    std::vector<CSettingsFinding> findings;
    RunOffUiThread([&] { findings = check.Judge(proposed, strMac, list); });
    return findings;
  };
}

void CLumoraDlg::AfterSetCommand(const std::wstring& strMac, const std::optional<CPrinterSettings>& old,
                                 const CPrinterSettings& proposed) {
  const CConfigurationExchange::SetOutcome outcome = m_LastSetOutcome;
  if (!outcome.bSent) return;
  const auto console = [this](const std::wstring& strLine) { WriteDebugConsole(strLine); };
  const std::vector<CCNetInterfaces::Entry> interfaces = m_pWorker->GetTransport().ListInterfaces();
  const bool bConfirmed = outcome.dwResult == 0 && outcome.uiMessage == LumoraStrings::kSetConfirmed;
  if (!bConfirmed) {
    const CChangeEntry entry =
        CChangeRunner::Entry(L"lumora", strMac, old, proposed, outcome, nullptr, interfaces);
    WriteJournal(entry, console);
    m_pStatusLine->setText(Text(strMac + L": " + entry.strOutcome));
    return;
  }
  WaitForVerification();
  m_pStatusLine->setText(tr("Looking for %1 at %2...").arg(Text(strMac), Text(proposed.strIpAddress)));
  const CConfigurationSettings settings = ExchangeSettings();
  m_Verification = std::thread([=, this] {
    CSetVerifier verifier(settings, m_pWorker->GetTransport(), console, m_VerifyTiming);
    const CSetVerifier::Verification v = verifier.Verify(strMac, proposed);
    WriteJournal(CChangeRunner::Entry(L"lumora", strMac, old, proposed, outcome, &v, interfaces), console);
    m_Gate.Post([this, strText = Text(strMac + L": " + v.Text())] { m_pStatusLine->setText(strText); });
  });
}

void CLumoraDlg::WaitForVerification() {
  if (m_Verification.joinable()) RunOffUiThread([this] { m_Verification.join(); });
}

void CLumoraDlg::FillDeviceMenu(QMenu& menu, int nRow) {
  const _DeviceInfo* pRecord = Record(nRow - 1);
  const CDeviceListModel::Row* pRow = m_pList->Model().GetRow(nRow);
  if (pRecord == nullptr || pRow == nullptr) return;
  const auto enabledLike = [this](QAction* pAction, int nId) {
    const QWidget* pButton = GetDlgItem(nId);
    pAction->setEnabled(pButton != nullptr && pButton->isEnabled());
  };
  enabledLike(menu.addAction(tr("Configure..."), this, &CLumoraDlg::OnConf), IDC_CONF);
  enabledLike(menu.addAction(tr("Open web page"), this, &CLumoraDlg::OnWeb), IDC_WEB);
  AddPrinterActions(menu);
  menu.addSeparator();
  const auto copy = [](const QString& strText) { QGuiApplication::clipboard()->setText(strText); };
  QStringList cells(pRow->texts.begin(), pRow->texts.end());
  menu.addAction(tr("Copy row"), this, [copy, strRow = cells.join(QLatin1Char('\t'))] { copy(strRow); });
  menu.addAction(tr("Copy MAC address"), this,
                 [copy, strMac = Text(pRecord->strMacAddress)] { copy(strMac); });
  menu.addAction(tr("Copy IP address"), this,
                 [copy, strIp = Text(pRecord->strIpAddress)] { copy(strIp); });
}

void CLumoraDlg::ShowDeviceMenu(int nRow, const QPoint& globalPos) {
  QMenu menu(this);
  if (nRow > 0 && Record(nRow - 1) != nullptr) {
    m_pList->SelectRow(nRow);
    OnListClick();
    FillDeviceMenu(menu, nRow);
  } else {
    BuildSystemMenu(menu);
  }
  menu.exec(globalPos);
}

bool CLumoraDlg::ChooseExportFile(QString& strPath) {
  QString strFilter;
  strPath = QFileDialog::getSaveFileName(this, tr("Export list"), QStringLiteral("printers.csv"),
                                         tr("CSV (*.csv);;JSON (*.json)"), &strFilter);
  if (strPath.isEmpty()) return false;
  const bool bJson = strFilter.contains(QLatin1String("json"));
  if (!strPath.contains(QLatin1Char('.'))) strPath += bJson ? QLatin1String(".json") : QLatin1String(".csv");
  return true;
}

void CLumoraDlg::OnExportList() {
  QString strPath;
  if (!ChooseExportFile(strPath)) return;
  const bool bJson = strPath.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
  const std::string text = bJson ? CDeviceExport::Json(m_Table) : CDeviceExport::Csv(m_Table);
  QSaveFile file(strPath);
  if (file.open(QIODevice::WriteOnly) &&
      file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
      file.commit())
    return;
  LumoraMessageBox::Show(this, AppName(),
                         tr("The list could not be written to %1: %2").arg(strPath, file.errorString()),
                         LumoraMessageBox::kError);
}
