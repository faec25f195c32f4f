// lumora: finds the maker's network printers on the local segment and
// configures them.
#include "CLumoraGuiApp.h"
#include "EnginePlatform.h"
#include "ProgramVersion.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: lumora [/D] [/L] [/A]\n"
    "Finds the maker's network printers on the local Ethernet segment and configures them.\n"
    "\n"
    "  /D, /DUBUG    open the debug console beside the window\n"
    "  /L, /LOGGING  accepted, no effect\n"
    "  /A, /ADV      accepted, no effect\n"
    "  --version     print the version and exit\n"
    "  --help        print this text and exit\n"
    "\n"
    "Settings: lumora.ini beside the program, else $XDG_CONFIG_HOME/lumora/lumora.ini,\n"
    "else /etc/lumora/lumora.ini. Start broadcasts to the whole segment. See lumora(1).\n";

// --version and --help are answered before any window or network use, so
// they work without a display too. Every other word goes to the switches.
bool AnswerInformationRequest(int argc, char** argv, int& exitCode) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--help") {
      std::fputs(kUsage, stdout);
      exitCode = 0;
      return true;
    }
    if (word == "--version") {
      const std::string strLine = ProgramVersion::Line("lumora", EnginePlatform::ExecutablePath());
      if (strLine.empty()) std::fputs("lumora: this executable carries no version information\n", stderr);
      else std::printf("%s\n", strLine.c_str());
      exitCode = strLine.empty() ? 1 : 0;
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (int exitCode = 0; AnswerInformationRequest(argc, argv, exitCode)) return exitCode;
  QApplication application(argc, argv);
  CLumoraGuiApp app;
  return app.InitInstance(argc, argv);
}
