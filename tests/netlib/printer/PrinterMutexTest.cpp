#include <gtest/gtest.h>

#include <cstdlib>
#include <future>

#include "TempDir.h"
#include "platform/PrinterMutex.h"

namespace {

using corvane::detail::PrinterMutex;

TEST(PrinterMutex, LockFileNamesAreSafe) {
  EXPECT_EQ(PrinterMutex::FileName(L"10.0.0.7;9100"), "corvane-10.0.0.7;9100.lock");
  EXPECT_EQ(PrinterMutex::FileName(L"../etc/x;1"), "corvane-..%2Fetc%2Fx;1.lock");
  EXPECT_EQ(PrinterMutex::FileName(L"a b\x00E9"), "corvane-a%20b%C3%A9.lock");
  const std::string dots = PrinterMutex::FileName(L"..");
  EXPECT_NE(dots, "corvane-...lock");
  EXPECT_EQ(dots.find('/'), std::string::npos);
  const std::string longName = PrinterMutex::FileName(std::wstring(500, L'9'));
  EXPECT_LE(longName.size(), 100u);
  EXPECT_EQ(longName, PrinterMutex::FileName(std::wstring(500, L'9')));
  EXPECT_NE(longName, PrinterMutex::FileName(std::wstring(501, L'9')));
}

class PrinterMutexTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("CORVANE_LOCK_DIR", dir.path().c_str(), 1); }
  void TearDown() override { unsetenv("CORVANE_LOCK_DIR"); }
  std::unique_ptr<PrinterMutex> Open(bool& bExisted) {
    DWORD dwError = 0;
    return PrinterMutex::Open(L"10.77.16.1;9100", bExisted, dwError);
  }
  TempDir dir;
};

TEST_F(PrinterMutexTest, OneHolderAtATimeAndWaitersWakeOnRelease) {
  bool bExisted = true;
  auto first = Open(bExisted);
  ASSERT_TRUE(first);
  EXPECT_FALSE(bExisted);
  auto second = Open(bExisted);
  ASSERT_TRUE(second);
  EXPECT_TRUE(bExisted);
  DWORD dwError = 0;
  ASSERT_EQ(first->Acquire(1000, dwError), PrinterMutex::Wait::kObtained);
  EXPECT_EQ(second->Acquire(50, dwError), PrinterMutex::Wait::kTimedOut);
  EXPECT_EQ(dwError, PrinterMutex::kErrorTimeout);
  auto waiter = std::async(std::launch::async, [&] {
    DWORD dwWaitError = 0;
    return second->Acquire(60000, dwWaitError);
  });
  first->Release();
  EXPECT_EQ(waiter.get(), PrinterMutex::Wait::kObtained);
}

}  // namespace
