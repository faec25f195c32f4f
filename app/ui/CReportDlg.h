#pragma once
// "Discovery report...": the report of the last discovery as read-only
// text, the same text lumora-cli discover --report prints, under a line
// that says which run it describes.
#include "CLayoutDialog.h"

class QLabel;
class QPlainTextEdit;

class CReportDlg : public CLayoutDialog {
  Q_OBJECT

 public:
  // An empty report shows the note alone.
  CReportDlg(const QString& strNote, const QString& strReport, QWidget* pParent);

  QString Note() const;
  QString Report() const;

 private:
  QLabel* m_pNote = nullptr;
  QPlainTextEdit* m_pText = nullptr;
};
