#pragma once
// An IPv4 address entry: four fields of 0 to 255 with dots between them.
// A field left empty reads 0. Typing a dot, or a third digit, moves on to
// the next field; Backspace in an empty field goes back to the previous one.
#include <QFrame>
#include <QString>

#include <array>

class QLineEdit;

class CIPAddressCtrl : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kFieldCount = 4;

  explicit CIPAddressCtrl(QWidget* pParent = nullptr);

  // Fills the fields from a dotted text; a part that is not a number from
  // 0 to 255, or missing, leaves its field empty.
  void SetAddress(const QString& strAddress);
  // The dotted address; empty fields read 0.
  QString GetAddress() const;
  // How many of the four fields hold a number.
  int FilledFieldCount() const;
  bool IsFieldBlank(int nField) const;
  int FieldValue(int nField) const;  // 0 when empty
  void SetFieldFocus(int nField);
  QLineEdit* Field(int nField) const { return m_Fields.at(static_cast<size_t>(nField)); }

 protected:
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
  void changeEvent(QEvent* pEvent) override;

 private:
  int IndexOf(QObject* pField) const;
  void OnFieldEdited(int nField);

  std::array<QLineEdit*, kFieldCount> m_Fields{};
};
