#include "CReportDlg.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The text area fits the report, within these bounds (characters, lines).
constexpr int kMinColumns = 60, kMaxColumns = 110;
constexpr int kMinLines = 10, kMaxLines = 32;
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
  const QStringList lines = strReport.split(QLatin1Char('\n'));
  qsizetype nColumns = 0;
  for (const QString& strLine : lines) nColumns = std::max(nColumns, strLine.size());
  const QFontMetrics metrics(fixed);
  const int nMargins = 2 * (m_pText->frameWidth() + static_cast<int>(m_pText->document()->documentMargin()));
  m_pText->setMinimumSize(
      metrics.horizontalAdvance(QLatin1Char('M')) * std::clamp(static_cast<int>(nColumns) + 2, kMinColumns, kMaxColumns) +
          nMargins,
      metrics.lineSpacing() * std::clamp(static_cast<int>(lines.size()) + 1, kMinLines, kMaxLines) + nMargins);
  m_pText->setVisible(!strReport.isEmpty());
  Layout().addWidget(m_pText, 1);
  AddButtons(QDialogButtonBox::Close);
  m_pText->setFocus();
}

QString CReportDlg::Note() const { return m_pNote->text(); }

QString CReportDlg::Report() const { return m_pText->toPlainText(); }
