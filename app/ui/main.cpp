// lumora: finds the maker's network printers on the local segment and
// configures them.
#include "CLumoraGuiApp.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  CLumoraGuiApp app;
  return app.InitInstance(argc, argv);
}
