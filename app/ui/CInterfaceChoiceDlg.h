#pragma once
// "Network interfaces...": which of this computer's interfaces the next
// discoveries broadcast through. A check list of the interfaces that can
// broadcast and "All"; none checked is the single broadcast lumora.ini
// sets. "Use lumora.ini" drops the choice, so that lumora.ini's szInterfaces
// counts again.
#include "CLayoutDialog.h"

#include <corvane/CCNetInterfaces.h>

#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;

class CInterfaceChoiceDlg : public CLayoutDialog {
  Q_OBJECT

 public:
  // strCurrent: the choice in force, as szInterfaces writes it.
  CInterfaceChoiceDlg(const std::vector<CCNetInterfaces::Entry>& machine, const std::wstring& strCurrent,
                      QWidget* pParent);

  // "all", names comma-separated, or "" for the single broadcast; none when
  // the operator chose "Use lumora.ini".
  std::optional<std::wstring> Choice() const;
  // Checks or unchecks the item of that interface ("All" for all of them).
  void SetChecked(const QString& strName, bool bChecked);
  bool IsChecked(const QString& strName) const;
  QListWidget& List() const { return *m_pList; }
  // Closes the dialog as "Use lumora.ini" does.
  void UseIniFile();

 private:
  QListWidgetItem* AddItem(const QString& strName, const QString& strText);
  QListWidgetItem* Find(const QString& strName) const;
  void OnItemChanged(QListWidgetItem* pItem);

  QListWidget* m_pList = nullptr;
  QListWidgetItem* m_pAll = nullptr;
  bool m_bUseIni = false;
};
