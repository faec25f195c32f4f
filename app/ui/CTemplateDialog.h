#pragma once
// A fixed-size dialog built from its template table. Every control stays
// reachable by its numeric id; operations on an id the template lacks do
// nothing, as the program's enable masks and captions expect.
#include "CDialogUnits.h"
#include "DialogTemplate.h"

#include <QDialog>
#include <QString>

#include <map>
#include <vector>

class CTemplateDialog : public QDialog {
  Q_OBJECT

 public:
  CTemplateDialog(const DialogSpec& spec, QWidget* pParent);

  // The control with the id, or null.
  QWidget* GetDlgItem(int nId) const;
  template <typename T>
  T* Item(int nId) const {
    return qobject_cast<T*>(GetDlgItem(nId));
  }
  void EnableItem(int nId, bool bEnable);
  void ShowItem(int nId, bool bShow);
  // Caption of a button, group box, static or edit.
  void SetItemText(int nId, const QString& strText);
  QString GetItemText(int nId) const;

  const CDialogUnits& Units() const { return m_Units; }
  const DialogSpec& Spec() const { return m_Spec; }

 protected:
  // Creates every control of the template in table order. Subclasses call
  // it from their constructor, so that CreateControl reaches their override.
  void BuildFromTemplate();
  // Makes the widget for one control; subclasses return their own classes
  // for some ids and leave the rest to this.
  virtual QWidget* CreateControl(const ControlSpec& spec);
  // Focus to the first control in tab order that can take it.
  void FocusFirstControl();

 private:
  void ApplyInitialState(QWidget* pWidget, const ControlSpec& spec);
  QRect Placement(QWidget* pWidget, const ControlSpec& spec) const;

  const DialogSpec& m_Spec;
  CDialogUnits m_Units;
  std::map<int, QWidget*> m_Items;       // by id; owned as children
  std::vector<QWidget*> m_TemplateOrder;  // every control, in table order
};
