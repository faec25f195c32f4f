#pragma once
// "Find printers by address...": printers the next discoveries ask directly
// by unicast, besides the broadcast (printers behind a router, which no
// broadcast reaches). The list is checked as it is typed; OK takes only a
// list that parses. "Use lumora.ini" drops the choice, so that lumora.ini's
// szHosts counts again.
#include "CLayoutDialog.h"

#include <optional>
#include <string>

class QLabel;
class QLineEdit;

class CHostListDlg : public CLayoutDialog {
  Q_OBJECT

 public:
  CHostListDlg(const std::wstring& strCurrent, QWidget* pParent);

  // The list as typed (trimmed); none when the operator chose "Use lumora.ini".
  std::optional<std::wstring> Choice() const;
  QLineEdit& Edit() const { return *m_pEdit; }
  // What the check of the list says: how many addresses, or what is wrong.
  QString Verdict() const;
  bool IsValid() const { return m_bValid; }
  void UseIniFile();

 public slots:
  void accept() override;

 private:
  void Check();

  QLineEdit* m_pEdit = nullptr;
  QLabel* m_pVerdict = nullptr;
  bool m_bValid = true;
  bool m_bUseIni = false;
};
