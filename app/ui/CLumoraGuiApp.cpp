#include "CLumoraGuiApp.h"

#include "CLumoraDlg.h"

#include <QCoreApplication>

int CLumoraGuiApp::RunMainWindow() {
  // Titles and message boxes carry the executable's name.
  QCoreApplication::setApplicationName(QString::fromStdWString(GetAppName()));
  CLumoraDlg dialog(*this);
  dialog.SetFlags(m_dwFlags);
  dialog.DoModal();
  return 0;
}
