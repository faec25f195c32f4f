// Shows the installed About box offscreen: its images must come from the
// library's own resources.
#include <infolio/CZqDialogAbout1.h>

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  CZqDialogAbout1 dialog;
  dialog.SetDialogParams(3, L"About", L"Consumer", L"Release 1");
  dialog.show();
  dialog.grab();
  const auto* pLogo = qobject_cast<QLabel*>(dialog.GetDlgItem(2019));
  if (!pLogo || pLogo->pixmap().isNull()) return 1;
  return dialog.windowTitle() == "About" ? 0 : 2;
}
