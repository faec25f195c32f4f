// lumora itself under a real X server (Xvfb, started here) inside the
// virtual LAN, driven from the keyboard alone: Tab to Start, Space, and
// Escape to leave. The log file shows the run.
#include "ChildRun.h"
#include "FileText.h"
#include "TempDir.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// Waits, on the directory's change notices, until the file holds the text.
bool WaitForFileText(const std::filesystem::path& file, const std::string& text,
                     std::chrono::milliseconds limit) {
  const int fd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (fd < 0) return false;
  inotify_add_watch(fd, file.parent_path().c_str(), IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE);
  const auto deadline = Clock::now() + limit;
  bool bFound = false;
  while (!(bFound = FileText(file).find(text) != std::string::npos) && Clock::now() < deadline) {
    pollfd pfd{fd, POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (poll(&pfd, 1, static_cast<int>(std::max<long long>(left.count(), 0))) > 0) {
      char buffer[4096];
      while (read(fd, buffer, sizeof buffer) > 0) {
      }
    }
  }
  close(fd);
  return bFound;
}

int RunTool(const std::vector<std::string>& argv) { return ChildRun(argv).Wait(20s); }

}  // namespace

TEST(LanKeyboard, StartFromTheKeyboardAlone) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  VirtualLan::AddPrinterAddresses(3);
  auto sim = VirtualLan::StartSim({"--count", "3"});

  // The program in a folder of its own, so that its log is the test's.
  TempDir dir;
  const auto program = dir.path() / "lumora";
  std::filesystem::copy_file(LUMORA_BINARY_DIR "/bin/lumora", program);

  ChildRun xvfb({"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
  ASSERT_TRUE(xvfb.WaitForOutput("\n", 20s)) << xvfb.Err();
  const std::string display = ":" + xvfb.Out().substr(0, xvfb.Out().find('\n'));
  const std::string env = "DISPLAY=" + display;

  ChildRun lumora({"env", env, "QT_QPA_PLATFORM=xcb", program.string()});
  ChildRun search({"env", env, "timeout", "20", "xdotool", "search", "--sync", "--name", "^lumora$"});
  ASSERT_EQ(search.Wait(30s), 0) << lumora.Err();
  const std::string window = search.Out().substr(0, search.Out().find('\n'));
  ASSERT_EQ(RunTool({"env", env, "xdotool", "windowfocus", "--sync", window}), 0);

  // The first control is Exit; Tab moves to Start, Space presses it.
  ASSERT_EQ(RunTool({"env", env, "xdotool", "key", "--delay", "100", "Tab", "space"}), 0);
  EXPECT_TRUE(WaitForFileText(dir.path() / "lumora.log", "<RX_DEV_INFO>: DHCP: ", 30s))
      << FileText(dir.path() / "lumora.log");
  const std::string log = FileText(dir.path() / "lumora.log");
  // Each printer told its name.
  for (const char* ip : {"10.77.16.1", "10.77.16.2", "10.77.16.3"}) {
    const std::regex named(std::string("Printer Name\\.: [^\\r\\n]+, from IP Add\\.: ") + ip + "\\r");
    EXPECT_TRUE(std::regex_search(log, named)) << ip;
  }

  // Escape is Exit: the program ends.
  ASSERT_EQ(RunTool({"env", env, "xdotool", "key", "Escape"}), 0);
  EXPECT_EQ(lumora.Wait(20s), 0) << lumora.Err();
}
