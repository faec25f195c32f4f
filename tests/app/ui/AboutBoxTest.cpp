// The program's About box, run modally: caption without ampersand, name, and
// the release read from a built executable, or none from a file without it.
#include "AboutBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <infolio/CZqDialogAbout1.h>

namespace {

struct Seen {
  QString strCaption, strName, strVersion;
};

// Runs the About box for the executable and reads what it shows.
Seen RunAndRead(const std::filesystem::path& executable) {
  Seen seen;
  QTimer::singleShot(0, [&] {
    auto* pDialog = qobject_cast<CZqDialogAbout1*>(QApplication::activeModalWidget());
    if (!pDialog) return;
    seen = {pDialog->windowTitle(), static_cast<QLabel*>(pDialog->GetDlgItem(16001))->text(),
            static_cast<QLabel*>(pDialog->GetDlgItem(16002))->text()};
    pDialog->accept();
  });
  EXPECT_EQ(AboutBox::Run(nullptr, executable), QDialog::Accepted);
  return seen;
}

}  // namespace

TEST(AboutBox, ShowsCaptionNameAndReleaseOfTheExecutable) {
  const Seen seen = RunAndRead(LUMORA_BINARY_DIR "/bin/lumora-cli");
  EXPECT_EQ(seen.strCaption, "About Lumora...");
  EXPECT_EQ(seen.strName, "LumoraFinder");
  EXPECT_EQ(seen.strVersion, "Release 0, 1, 2, 1");
  EXPECT_EQ(RunAndRead(LUMORA_BINARY_DIR "/bin/printer-sim").strVersion, "");
}
