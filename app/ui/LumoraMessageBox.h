#pragma once
// Every message box of the program goes through here: caption, text, icon.
// Tests set the answer in advance; the box is then recorded instead of
// shown, and the answer returned at once.
#include <QMessageBox>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

class LumoraMessageBox {
 public:
  enum Icon { kNoIcon, kError, kExclamation, kInformation };

  struct Shown {
    QString strCaption;
    QString strText;
    Icon icon = kNoIcon;
  };

  // Shows a modal box with an OK button; returns the button pressed.
  static QMessageBox::StandardButton Show(QWidget* pParent, const QString& strCaption,
                                          const QString& strText, Icon icon);
  // Shows a modal box with Yes and No, No the default; returns the button
  // pressed (Yes or No; No when the box is closed otherwise).
  static QMessageBox::StandardButton Ask(QWidget* pParent, const QString& strCaption,
                                         const QString& strText, Icon icon);

  // From now on every box is answered with `answer` without being shown
  // (std::nullopt shows them again).
  static void SetAutoAnswer(std::optional<QMessageBox::StandardButton> answer);
  // The boxes answered that way since the last call, oldest first.
  static std::vector<Shown> TakeShown();
};
