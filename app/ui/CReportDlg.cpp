#include "CReportDlg.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kColumns = 92;  // the widest verdict lines fit
constexpr int kLines = 26;
}  // namespace

CReportDlg::CReportDlg(const QString& strNote, const QString& strReport, QWidget* pParent)
    : CLayoutDialog(QStringLiteral("Discovery report"), pParent) {
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  m_pNote = new QLabel(strNote);
  m_pNote->setWordWrap(true);
  m_pNote->setMinimumWidth(QFontMetrics(font()).averageCharWidth() * 60);
  Layout().addWidget(m_pNote);
  m_pText = new QPlainTextEdit(strReport);
  m_pText->setReadOnly(true);
  m_pText->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSize(font().pointSize());
  m_pText->setFont(fixed);
  const QFontMetrics metrics(fixed);
  m_pText->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('M')) * kColumns,
                          metrics.lineSpacing() * (strReport.isEmpty() ? 0 : kLines));
  m_pText->setVisible(!strReport.isEmpty());
  Layout().addWidget(m_pText, 1);
  AddButtons(QDialogButtonBox::Close);
  m_pText->setFocus();
}

QString CReportDlg::Note() const { return m_pNote->text(); }

QString CReportDlg::Report() const { return m_pText->toPlainText(); }
