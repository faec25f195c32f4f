#pragma once
// "Install printer...": installs the selected printer for printing and for
// the printer link (a CUPS queue and the protocol key), with the queue's
// name, the connection (the queue's device URI) and the protocol to choose.
// The installation runs off the window's thread; its result shows in the
// dialog.
#include "CBackgroundJob.h"
#include "CPrinterInstaller.h"
#include "_DeviceInfo.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CInstallPrinterDlg : public QDialog {
  Q_OBJECT

 public:
  CInstallPrinterDlg(const _DeviceInfo& device, QWidget* pParent = nullptr);

  // Starts the installation with the dialog's choices.
  void OnInstall();
  bool Busy() const { return m_Job.Running(); }
  // The request the dialog's fields make.
  CPrinterInstaller::Request Request() const;

  QLineEdit& QueueEdit() const { return *m_pQueue; }
  QComboBox& ConnectionBox() const { return *m_pConnection; }
  QComboBox& ProtocolBox() const { return *m_pProtocol; }
  QCheckBox& ReplaceBox() const { return *m_pReplace; }
  QPushButton& InstallButton() const { return *m_pInstall; }
  QString ResultText() const;

 protected:
  void reject() override;

 private:
  void ShowResult(const CPrinterInstaller::Result& result);
  void SetInputsEnabled(bool bEnabled);

  _DeviceInfo m_Device;
  QLineEdit* m_pQueue = nullptr;
  QComboBox* m_pConnection = nullptr;
  QComboBox* m_pProtocol = nullptr;
  QCheckBox* m_pReplace = nullptr;
  QLabel* m_pResult = nullptr;
  QPushButton* m_pInstall = nullptr;
  CPrinterInstaller::Result m_Result;
  CBackgroundJob m_Job;  // last: its thread ends before the rest goes
};
