#include "CPrinterStatusPanel.h"

#include "CPrintQueueAdmin.h"
#include "CPrinterStatusReader.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The queue of the printer at this address, then its values.
CPrinterStatus ReadPrinterAt(const std::string& strAddress, const std::atomic<bool>& bStop) {
  CPrintQueueAdmin::Queue queue;
  if (!CPrintQueueAdmin::FindByHost(strAddress, queue)) {
    CPrinterStatus status;
    status.state = CPrinterStatus::State::kNotSetUp;
    status.strProblem = "no print queue prints to " + strAddress +
                        ": install the printer first (Install printer...)";
    status.values = CPrinterStatusReader::Blank();
    return status;
  }
  return CPrinterStatusReader(queue.strName).Read([&bStop] { return bStop.load(); });
}

}  // namespace

CPrinterStatusPanel::CPrinterStatusPanel(QWidget* pParent) : QDialog(pParent) {
  setWindowTitle(tr("Printer status"));
  m_pTitle = new QLabel(this);
  m_pState = new QLabel(this);
  m_pState->setWordWrap(true);
  m_pValues = new QTableWidget(0, 2, this);
  m_pValues->setHorizontalHeaderLabels({tr("Value"), tr("Reading")});
  m_pValues->verticalHeader()->hide();
  // Rows as tall as a line of text: every value fits without scrolling.
  m_pValues->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  m_pValues->horizontalHeader()->setStretchLastSection(true);
  m_pValues->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_pValues->setSelectionMode(QAbstractItemView::NoSelection);
  auto* pNote = new QLabel(QString::fromUtf8(CPrinterStatus::kRawNote), this);
  pNote->setWordWrap(true);
  auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  m_pRefresh = pButtons->addButton(tr("Refresh"), QDialogButtonBox::ActionRole);
  connect(m_pRefresh, &QPushButton::clicked, this, &CPrinterStatusPanel::OnRefresh);
  connect(pButtons, &QDialogButtonBox::rejected, this, &CPrinterStatusPanel::reject);
  auto* pLayout = new QVBoxLayout(this);
  pLayout->addWidget(m_pTitle);
  pLayout->addWidget(m_pState);
  pLayout->addWidget(m_pValues, 1);
  pLayout->addWidget(pNote);
  pLayout->addWidget(pButtons);
  resize(480, 470);
}

// A reading still under way stops before its next value.
CPrinterStatusPanel::~CPrinterStatusPanel() { m_bStop = true; }

void CPrinterStatusPanel::ShowPrinter(const std::wstring& strAddress, const QString& strTitle) {
  m_strAddress = QString::fromStdWString(strAddress).toStdString();
  m_pTitle->setText(strTitle);
  m_pValues->setRowCount(0);
  show();
  raise();
  OnRefresh();
}

void CPrinterStatusPanel::OnRefresh() {
  m_bStop = false;
  const std::string address = m_strAddress;
  if (!m_Job.Start(
          this, [this, address] { m_Status = ReadPrinterAt(address, m_bStop); },
          [this] { ShowStatus(m_Status); }))
    return;
  m_pRefresh->setEnabled(false);
  m_pState->setText(tr("Reading the printer's status..."));
}

void CPrinterStatusPanel::ShowStatus(const CPrinterStatus& status) {
  m_pRefresh->setEnabled(true);
  QString state = QString::fromStdString(status.Summary());
  if (!status.strQueue.empty()) {
    state = QStringLiteral("%1 — %2, %3: %4")
                .arg(QString::fromStdString(status.strQueue),
                     QString::fromStdString(status.strDeviceUri),
                     status.iProtocol == 1 ? QStringLiteral("TCP") : QStringLiteral("UDP"), state);
  }
  m_pState->setText(state);
  m_pValues->setRowCount(static_cast<int>(status.values.size()));
  for (int i = 0; i < m_pValues->rowCount(); ++i) {
    const CPrinterStatus::Value& value = status.values[static_cast<std::size_t>(i)];
    m_pValues->setItem(i, 0, new QTableWidgetItem(QString::fromUtf8(value.pszLabel)));
    m_pValues->setItem(i, 1, new QTableWidgetItem(QString::fromStdString(value.Display())));
  }
  m_pValues->resizeColumnToContents(0);
}

QString CPrinterStatusPanel::StateText() const { return m_pState->text(); }

// Closing asks a running reading to stop before its next value.
void CPrinterStatusPanel::done(int nResult) {
  m_bStop = true;
  QDialog::done(nResult);
}
