#include <poll.h>
// The poll loop: dispatch, watches removed during a round, Quit from another
// thread, and which loop a thread uses.
#include <corvane/CCorvanePollLoop.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/TcpStreamSocket.h"

namespace {

using corvane::platform::TcpStreamSocket;

struct ConnectedPair {
  ConnectedPair() {
    int error = 0;
    listener = TcpStreamSocket::Listen(0, 5, error);
    std::wstring address;
    int port = 0;
    listener->LocalAddress(address, port);
    a = TcpStreamSocket::Connect(L"127.0.0.1", port, 3000, error);
    pollfd p{listener->Fd(), POLLIN, 0};
    ::poll(&p, 1, 3000);
    b = listener->Accept(error);
  }
  void Write(TcpStreamSocket& s) {
    const BYTE byte = 1;
    int error = 0;
    s.WriteAll(&byte, 1, 1000, error);
  }
  std::unique_ptr<TcpStreamSocket> listener, a, b;
};

TEST(PollLoop, CallsBackForReadableDescriptorsOnly) {
  CCorvanePollLoop loop;
  ConnectedPair pair;
  int aCalls = 0, bCalls = 0;
  auto wa = loop.WatchReadable(pair.a->Fd(), [&] { ++aCalls; });
  auto wb = loop.WatchReadable(pair.b->Fd(), [&] { ++bCalls; });
  pair.Write(*pair.a);  // b becomes readable
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
  pair.Write(*pair.a);
  pair.Write(*pair.b);
  std::unique_ptr<CCorvaneWatch> wa, wb;
  int calls = 0;
  // Whichever comes first removes both, itself included.
  auto removeBoth = [&] {
    ++calls;
    wa.reset();
    wb.reset();
  };
  wa = loop.WatchReadable(pair.a->Fd(), removeBoth);
  wb = loop.WatchReadable(pair.b->Fd(), removeBoth);
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
  CCorvaneEventLoop* outerDefault = nullptr;
  std::thread t([&] {
    CCorvanePollLoop outer;
    EXPECT_EQ(&CCorvaneEventLoop::Current(), &outer);
    {
      CCorvanePollLoop inner;
      EXPECT_EQ(&CCorvaneEventLoop::Current(), &inner);
      EXPECT_EQ(&CCorvanePollLoop::ForCurrentThread(), &inner);
    }
    EXPECT_EQ(&CCorvaneEventLoop::Current(), &outer);
    outerDefault = &CCorvaneEventLoop::Current();
  });
  t.join();
  std::thread fresh([] {
    CCorvaneEventLoop& own = CCorvaneEventLoop::Current();
    EXPECT_EQ(&own, &CCorvanePollLoop::ForCurrentThread());
    EXPECT_EQ(&own, &CCorvaneEventLoop::Current());
  });
  fresh.join();
  EXPECT_NE(outerDefault, nullptr);
}

}  // namespace
