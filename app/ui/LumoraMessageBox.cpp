#include "LumoraMessageBox.h"

namespace {
struct AutoAnswer {
  std::optional<QMessageBox::StandardButton> answer;
  std::vector<LumoraMessageBox::Shown> shown;
};

AutoAnswer& State() {
  static AutoAnswer state;
  return state;
}

QMessageBox::Icon BoxIcon(LumoraMessageBox::Icon icon) {
  switch (icon) {
    case LumoraMessageBox::kError: return QMessageBox::Critical;
    case LumoraMessageBox::kExclamation: return QMessageBox::Warning;
    case LumoraMessageBox::kInformation: return QMessageBox::Information;
    case LumoraMessageBox::kNoIcon: break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

QMessageBox::StandardButton LumoraMessageBox::Show(QWidget* pParent, const QString& strCaption,
                                                   const QString& strText, Icon icon) {
  AutoAnswer& state = State();
  if (state.answer) {
    state.shown.push_back({strCaption, strText, icon});
    return *state.answer;
  }
  QMessageBox box(BoxIcon(icon), strCaption, strText, QMessageBox::Ok, pParent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton LumoraMessageBox::Ask(QWidget* pParent, const QString& strCaption,
                                                  const QString& strText, Icon icon) {
  AutoAnswer& state = State();
  if (state.answer) {
    state.shown.push_back({strCaption, strText, icon});
    return *state.answer == QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::No;
  }
  QMessageBox box(BoxIcon(icon), strCaption, strText, QMessageBox::Yes | QMessageBox::No, pParent);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::No;
}

void LumoraMessageBox::SetAutoAnswer(std::optional<QMessageBox::StandardButton> answer) {
  State().answer = answer;
  State().shown.clear();
}

std::vector<LumoraMessageBox::Shown> LumoraMessageBox::TakeShown() {
  std::vector<Shown> shown;
  shown.swap(State().shown);
  return shown;
}
