#pragma once
// A group box as dialog templates draw it: an etched frame whose top line
// runs through the middle of the caption's line, with the caption on it.
// It holds nothing: the controls inside are its siblings, drawn above it.
#include <QWidget>

class CGroupFrame : public QWidget {
  Q_OBJECT

 public:
  explicit CGroupFrame(const QString& strTitle = {}, QWidget* pParent = nullptr);

  void setTitle(const QString& strTitle);
  const QString& title() const { return m_strTitle; }

 protected:
  void paintEvent(QPaintEvent* pEvent) override;

 private:
  QString m_strTitle;
};
