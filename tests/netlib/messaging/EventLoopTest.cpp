// The poll loop: dispatch, watches removed during a round, Quit from another
// thread, and which loop a thread uses.
#include <corvane/CCorvanePollLoop.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

// Two connected stream descriptors; a byte written to one makes the other readable.
struct ConnectedPair {
  ConnectedPair() { ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds); }
  ~ConnectedPair() {
    ::close(fds[0]);
    ::close(fds[1]);
  }
  static void Write(int fd) { ASSERT_EQ(::write(fd, "x", 1), 1); }
  int fds[2] = {-1, -1};
};

TEST(PollLoop, CallsBackForReadableDescriptorsOnly) {
  CCorvanePollLoop loop;
  ConnectedPair pair;
  int aCalls = 0, bCalls = 0;
  auto wa = loop.WatchReadable(pair.fds[0], [&] { ++aCalls; });
  auto wb = loop.WatchReadable(pair.fds[1], [&] { ++bCalls; });
  pair.Write(pair.fds[0]);  // b becomes readable
  EXPECT_EQ(loop.RunOnce(3000), 1);
  EXPECT_EQ(aCalls, 0);
  EXPECT_EQ(bCalls, 1);
  wb.reset();
  EXPECT_EQ(loop.RunOnce(20), 0);  // no longer watched
  EXPECT_EQ(loop.WatchReadable(-1, [] {}), nullptr);
}

TEST(PollLoop, AWatchRemovedDuringARoundIsNotCalled) {
  CCorvanePollLoop loop;
  ConnectedPair pair;
  pair.Write(pair.fds[0]);
  pair.Write(pair.fds[1]);
  std::unique_ptr<CCorvaneWatch> wa, wb;
  int calls = 0;
  // Whichever comes first removes both, itself included.
  auto removeBoth = [&] {
    ++calls;
    wa.reset();
    wb.reset();
  };
  wa = loop.WatchReadable(pair.fds[0], removeBoth);
  wb = loop.WatchReadable(pair.fds[1], removeBoth);
  EXPECT_EQ(loop.RunOnce(3000), 1);
  EXPECT_EQ(calls, 1);
}

TEST(PollLoop, QuitFromAnotherThreadEndsRun) {
  CCorvanePollLoop loop;
  std::thread quitter([&] { loop.Quit(); });
  loop.Run();  // returns only through Quit
  quitter.join();
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(loop.RunFor(30), 0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

TEST(EventLoopCurrent, ConstructedLoopsNestAndUnwind) {
  std::thread t([] {
    CCorvanePollLoop outer;
    EXPECT_EQ(&CCorvaneEventLoop::Current(), &outer);
    {
      CCorvanePollLoop inner;
      EXPECT_EQ(&CCorvaneEventLoop::Current(), &inner);
      EXPECT_EQ(&CCorvanePollLoop::ForCurrentThread(), &inner);
    }
    EXPECT_EQ(&CCorvaneEventLoop::Current(), &outer);
  });
  t.join();
  // Loops ended out of order: neither is current afterwards; the thread's
  // own loop serves. (Its address may be the one the first loop had, as the
  // allocator reuses freed memory: addresses of ended loops prove nothing.)
  std::thread unordered([] {
    auto first = std::make_unique<CCorvanePollLoop>();
    auto second = std::make_unique<CCorvanePollLoop>();
    first.reset();
    second.reset();
    EXPECT_EQ(&CCorvaneEventLoop::Current(), &CCorvanePollLoop::ForCurrentThread());
  });
  unordered.join();
}

}  // namespace
