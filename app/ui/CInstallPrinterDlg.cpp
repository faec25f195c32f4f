#include "CInstallPrinterDlg.h"

#include "CQueueName.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QString Wide(const std::wstring& text) { return QString::fromStdWString(text); }

}  // namespace

CInstallPrinterDlg::CInstallPrinterDlg(const _DeviceInfo& device, QWidget* pParent)
    : QDialog(pParent), m_Device(device) {
  setWindowTitle(tr("Install printer"));
  const QString address = Wide(device.strIpAddress);
  const QString description = QString::fromStdString(
      CPrinterInstaller::Description(device.strName, device.strModel));

  m_pQueue = new QLineEdit(this);
  m_pQueue->setMaxLength(static_cast<int>(CQueueName::kMaxLength));
  m_pQueue->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[A-Za-z0-9_-]*")), m_pQueue));
  m_pQueue->setPlaceholderText(
      QString::fromStdString(CQueueName::FromPrinter(device.strName, device.strModel)));
  m_pQueue->setToolTip(tr("Empty: the printer's name, with _2, _3, ... when that queue exists"));
  m_pConnection = new QComboBox(this);
  for (const char* choice : {"socket", "lpd", "ipp"}) {
    std::string strError;
    const std::string uri = CPrinterInstaller::DeviceUri(choice, device.strIpAddress, strError);
    m_pConnection->addItem(QString::fromStdString(uri), QString::fromLatin1(choice));
  }
  m_pProtocol = new QComboBox(this);
  m_pProtocol->addItem(QStringLiteral("UDP"));
  m_pProtocol->addItem(QStringLiteral("TCP"));
  m_pReplace = new QCheckBox(tr("Replace a queue of the same name"), this);
  m_pResult = new QLabel(this);
  m_pResult->setWordWrap(true);
  m_pResult->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* pForm = new QFormLayout;
  pForm->addRow(tr("Printer:"), new QLabel(description.isEmpty() ? address
                                                                 : description + ", " + address));
  pForm->addRow(tr("Queue name:"), m_pQueue);
  pForm->addRow(tr("Connection:"), m_pConnection);
  pForm->addRow(tr("Protocol:"), m_pProtocol);
  pForm->addRow(QString(), m_pReplace);
  auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  m_pInstall = pButtons->addButton(tr("Install"), QDialogButtonBox::ActionRole);
  m_pInstall->setDefault(true);
  connect(m_pInstall, &QPushButton::clicked, this, &CInstallPrinterDlg::OnInstall);
  connect(pButtons, &QDialogButtonBox::rejected, this, &CInstallPrinterDlg::reject);
  auto* pLayout = new QVBoxLayout(this);
  pLayout->addLayout(pForm);
  pLayout->addWidget(m_pResult);
  pLayout->addWidget(pButtons);
}

CPrinterInstaller::Request CInstallPrinterDlg::Request() const {
  CPrinterInstaller::Request request;
  request.strAddress = m_Device.strIpAddress;
  request.strName = m_Device.strName;
  request.strModel = m_Device.strModel;
  request.strQueue = m_pQueue->text().toStdString();
  request.strUri = m_pConnection->currentData().toString().toStdString();
  request.dwProtocol = m_pProtocol->currentIndex() == 1 ? CPrinterInstaller::kTcp
                                                        : CPrinterInstaller::kUdp;
  request.bReplace = m_pReplace->isChecked();
  return request;
}

void CInstallPrinterDlg::OnInstall() {
  const CPrinterInstaller::Request request = Request();
  SetInputsEnabled(false);
  m_pResult->setText(tr("Installing..."));
  m_Job.Start(
      this, [this, request] { m_Result = CPrinterInstaller::Install(request); },
      [this] { ShowResult(m_Result); });
}

void CInstallPrinterDlg::ShowResult(const CPrinterInstaller::Result& result) {
  const bool bDone = result.code == CPrinterInstaller::Code::kDone;
  m_pResult->setText(QString::fromStdString(result.strMessage));
  SetInputsEnabled(!bDone);
  m_pInstall->setEnabled(!bDone);
}

void CInstallPrinterDlg::SetInputsEnabled(bool bEnabled) {
  for (QWidget* pInput : std::initializer_list<QWidget*>{m_pQueue, m_pConnection, m_pProtocol,
                                                         m_pReplace, m_pInstall})
    pInput->setEnabled(bEnabled);
}

QString CInstallPrinterDlg::ResultText() const { return m_pResult->text(); }

// The dialog stays while an installation runs, so that its outcome is seen
// and the queue and the store are never left half done behind it.
void CInstallPrinterDlg::reject() {
  if (!Busy()) QDialog::reject();
}
