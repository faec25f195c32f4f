#pragma once
// "Printer status...": a read-only panel with every value an installed
// printer tells through the printer link (as lumora-cli status shows them),
// and a Refresh button. The printer is found by its address among the print
// queues' device URIs; the queue look-up and the reading run off the
// window's thread, so the window never waits for the printer.
#include "CBackgroundJob.h"
#include "CPrinterStatus.h"

#include <QDialog>

#include <atomic>
#include <string>

class QLabel;
class QPushButton;
class QTableWidget;

class CPrinterStatusPanel : public QDialog {
  Q_OBJECT

 public:
  explicit CPrinterStatusPanel(QWidget* pParent = nullptr);
  ~CPrinterStatusPanel() override;

  // Shows the panel for the printer at this address and reads its status.
  void ShowPrinter(const std::wstring& strAddress, const QString& strTitle);
  // Reads again; nothing happens while a reading runs.
  void OnRefresh();
  bool Busy() const { return m_Job.Running(); }

  QPushButton& RefreshButton() const { return *m_pRefresh; }
  QString StateText() const;
  QTableWidget& Values() const { return *m_pValues; }

 protected:
  void done(int nResult) override;

 private:
  void ShowStatus(const CPrinterStatus& status);

  std::string m_strAddress;
  QLabel* m_pTitle = nullptr;
  QLabel* m_pState = nullptr;
  QTableWidget* m_pValues = nullptr;
  QPushButton* m_pRefresh = nullptr;
  std::atomic<bool> m_bStop{false};
  CPrinterStatus m_Status;
  CBackgroundJob m_Job;  // last: its thread ends before the rest goes
};
