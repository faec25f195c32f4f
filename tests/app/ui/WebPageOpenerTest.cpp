// Opening a web page: the desktop's handler first, then the browser for HTML
// documents with the address in place of its placeholder; the launcher's
// failures as the codes the operator gets words for. No browser is started.
#include "CWebPageOpener.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"

namespace {

class FakeOpener : public CWebPageOpener {
 public:
  bool bShellTakes = false;
  std::wstring strExec;
  int nStartResult = kSuccess;
  std::vector<std::wstring> started;

  int RealStart(const std::vector<std::wstring>& arguments) {
    return CWebPageOpener::StartDetached(arguments);
  }

 protected:
  bool ShellOpen(const QUrl&) override { return bShellTakes; }
  std::wstring BrowserExecLine() override { return strExec; }
  int StartDetached(const std::vector<std::wstring>& arguments) override {
    started = arguments;
    return nStartResult;
  }
};

}  // namespace

TEST(CWebPageOpener, DesktopHandlerFirstThenTheHtmlBrowser) {
  FakeOpener desktop;
  desktop.bShellTakes = true;
  desktop.strExec = L"browser %u";
  EXPECT_EQ(desktop.OpenUrl("http://192.168.1.20/", 5), CWebPageOpener::kSuccess);
  EXPECT_TRUE(desktop.started.empty());  // no second browser

  FakeOpener fallback;
  fallback.strExec = L"\"/opt/web browser/run\" --new-tab \"%U\"";
  fallback.nStartResult = CWebPageOpener::kFileNotFound;
  EXPECT_EQ(fallback.OpenUrl("http://192.168.1.20/", 5), CWebPageOpener::kFileNotFound);
  EXPECT_EQ(fallback.started,
            (std::vector<std::wstring>{L"/opt/web browser/run", L"--new-tab", L"http://192.168.1.20/"}));
}

TEST(CWebPageOpener, LaunchFailuresMapToShellCodes) {
  TempDir dir;
  const auto plain = dir.path() / "not-executable";
  std::ofstream(plain) << "#!/bin/sh\n";
  FakeOpener opener;
  EXPECT_EQ(opener.RealStart({(dir.path() / "missing").wstring(), L"http://h/"}),
            CWebPageOpener::kFileNotFound);
  EXPECT_EQ(opener.RealStart({L"lumora-no-such-browser", L"http://h/"}),
            CWebPageOpener::kFileNotFound);
  EXPECT_EQ(opener.RealStart({plain.wstring(), L"http://h/"}), CWebPageOpener::kAccessDenied);
  EXPECT_EQ(opener.RealStart({dir.path().wstring()}), CWebPageOpener::kAccessDenied);
}
