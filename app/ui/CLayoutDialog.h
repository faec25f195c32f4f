#pragma once
// A small dialog of the window's own (not one of the program's templates):
// laid out by Qt's layouts in the dialog font, with margins and spacing in
// dialog units, so that it keeps its proportions at any font and scale.
#include "CDialogUnits.h"

#include <QDialog>
#include <QDialogButtonBox>

#include <functional>

class QVBoxLayout;

class CLayoutDialog : public QDialog {
  Q_OBJECT

 public:
  CLayoutDialog(const QString& strTitle, QWidget* pParent);

  QDialogButtonBox& Buttons() const { return *m_pButtons; }

 protected:
  QVBoxLayout& Layout() const { return *m_pLayout; }
  // The button row at the bottom; Ok accepts, Cancel and Close reject.
  void AddButtons(QDialogButtonBox::StandardButtons buttons);
  // OK, Cancel and "Use lumora.ini" (with its tooltip), which runs useIni.
  void AddChoiceButtons(const QString& strIniTip, const std::function<void()>& useIni);

 private:
  CDialogUnits m_Units;
  QVBoxLayout* m_pLayout = nullptr;
  QDialogButtonBox* m_pButtons = nullptr;
};
