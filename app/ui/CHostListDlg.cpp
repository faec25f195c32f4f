#include "CHostListDlg.h"

#include "CHostList.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

CHostListDlg::CHostListDlg(const std::wstring& strCurrent, QWidget* pParent)
    : CLayoutDialog(QStringLiteral("Find printers by address"), pParent) {
  auto* pIntro = new QLabel(QStringLiteral("Printers to ask directly, besides the broadcast (behind a router, say):"));
  Layout().addWidget(pIntro);
  m_pEdit = new QLineEdit(QString::fromStdWString(strCurrent));
  m_pEdit->setPlaceholderText(QStringLiteral("10.20.0.5, 10.20.0.0/28, 10.20.0.5-10.20.0.40"));
  m_pEdit->setClearButtonEnabled(true);
  Layout().addWidget(m_pEdit);
  auto* pSyntax = new QLabel(
      QStringLiteral("Addresses, CIDR blocks and ranges, comma-separated (%1 addresses at most).")
          .arg(CHostList::kMaxAddresses));
  Layout().addWidget(pSyntax);
  m_pVerdict = new QLabel;
  m_pVerdict->setWordWrap(true);
  m_pVerdict->setTextFormat(Qt::PlainText);
  Layout().addWidget(m_pVerdict);
  AddChoiceButtons(QStringLiteral("Forget this list: lumora.ini's szHosts counts again"),
                   [this] { UseIniFile(); });
  connect(m_pEdit, &QLineEdit::textChanged, this, &CHostListDlg::Check);

  const QFontMetrics metrics(font());
  m_pEdit->setMinimumWidth(metrics.averageCharWidth() * 68);
  // Room for two lines of verdict, so that the dialog keeps its size as it changes.
  m_pVerdict->setMinimumHeight(metrics.lineSpacing() * 2);
  m_pVerdict->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Check();
  Layout().setSizeConstraint(QLayout::SetFixedSize);
}

void CHostListDlg::Check() {
  std::vector<DWORD> addresses;
  std::wstring strError;
  m_bValid = CHostList::Parse(m_pEdit->text().toStdWString(), addresses, strError);
  QString strVerdict;
  if (!m_bValid) strVerdict = QStringLiteral("Not a valid list: %1.").arg(QString::fromStdWString(strError));
  else if (addresses.empty()) strVerdict = QStringLiteral("No printer is asked by address.");
  else if (addresses.size() == 1) strVerdict = QStringLiteral("1 address is asked at the next Start.");
  else strVerdict = QStringLiteral("%1 addresses are asked at the next Start.").arg(addresses.size());
  m_pVerdict->setText(strVerdict);
  QPalette palette = m_pVerdict->palette();
  palette.setColor(QPalette::WindowText, m_bValid ? this->palette().color(QPalette::WindowText) : QColor(0xB0, 0x20, 0x20));
  m_pVerdict->setPalette(palette);
  Buttons().button(QDialogButtonBox::Ok)->setEnabled(m_bValid);
}

QString CHostListDlg::Verdict() const { return m_pVerdict->text(); }

// Enter in the field presses OK: a list that does not parse keeps the
// dialog open with its verdict in view.
void CHostListDlg::accept() {
  Check();
  if (!m_bValid && !m_bUseIni) {
    m_pEdit->setFocus();
    return;
  }
  QDialog::accept();
}

void CHostListDlg::UseIniFile() {
  m_bUseIni = true;
  accept();
}

std::optional<std::wstring> CHostListDlg::Choice() const {
  if (m_bUseIni) return std::nullopt;
  return m_pEdit->text().trimmed().toStdWString();
}
