// The framework's side: a server thread with its own poll loop, and a
// client on the calling thread.
#include <corvane/CCorvaneClient.h>
#include <corvane/CCorvanePollLoop.h>
#include <corvane/CCorvaneServer.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

#include "Bench.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

class CountingServer : public CCorvaneServer {
 public:
  explicit CountingServer(int expected) : m_expected(expected) {}
  // Waits until the expected number of messages has arrived.
  Clock::time_point WaitForAll() {
    std::unique_lock lock(m_mutex);
    m_cv.wait_for(lock, std::chrono::seconds(60), [&] { return m_received >= m_expected; });
    return m_done;
  }

 protected:
  BOOL CanAcceptUser() override { return 1; }
  void OnUserConnected(std::int32_t) override {}
  void OnMessageReceived(std::int32_t, CCorvaneMessage&) override {
    if (++m_received == m_expected) {
      std::lock_guard lock(m_mutex);
      m_done = Clock::now();
      m_cv.notify_all();
    }
  }
  void OnUserDisconnected(std::int32_t, CorvaneServerDisconnection) override {}

 private:
  int m_expected;
  int m_received = 0;
  std::mutex m_mutex;
  std::condition_variable m_cv;
  Clock::time_point m_done;
};

class PingClient : public CCorvaneClient {
 public:
  using CCorvaneClient::CCorvaneClient;
  int pings = 0;

 protected:
  void OnMessageReceived(CCorvaneMessage&) override {}
  void OnDisconnected(CorvaneClientDisconnection) override {}
  void OnPing(std::int32_t) override { ++pings; }
};

// Runs a CountingServer on its own thread for the duration of `body`.
template <typename Body>
void WithServer(int expected, Body body) {
  std::promise<std::pair<CountingServer*, CCorvanePollLoop*>> ready;
  std::promise<void> finish;
  std::thread thread([&] {
    CCorvanePollLoop loop;
    CountingServer server(expected);
    server.StartListening(0);
    ready.set_value({&server, &loop});
    loop.Run();
    server.Stop();
  });
  auto [server, loop] = ready.get_future().get();
  body(*server);
  loop->Quit();
  thread.join();
}

}  // namespace

double FrameworkPingMicros(int count) {
  double micros = 0;
  WithServer(0, [&](CountingServer& server) {
    CCorvanePollLoop loop;
    PingClient client(loop);
    client.OpenConnection(L"127.0.0.1", server.GetPort());
    auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
      client.PingServer();
      loop.RunUntil([&] { return client.pings > i; }, 5000);
    }
    micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
    client.CloseConnection();
  });
  return micros;
}

double FrameworkStreamRate(int count) {
  double rate = 0;
  WithServer(count, [&](CountingServer& server) {
    CCorvanePollLoop loop;
    PingClient client(loop);
    client.OpenConnection(L"127.0.0.1", server.GetPort());
    CCorvaneMessage msg(1);
    msg.Add(42l);
    auto start = Clock::now();
    for (int i = 0; i < count; ++i) client.SendMessageToServer(msg);
    Clock::time_point done = server.WaitForAll();
    rate = count / std::chrono::duration<double>(done - start).count();
    client.CloseConnection();
  });
  return rate;
}

}  // namespace bench
