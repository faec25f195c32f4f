#pragma once
// Sends messages to an echo server and waits for them to come back, then
// pings it, and reports the rates and times.
#include <corvane/CCorvaneClient.h>
#include <corvane/CCorvanePollLoop.h>

#include <chrono>
#include <cstdint>
#include <vector>

class EchoClient : public CCorvaneClient {
 public:
  explicit EchoClient(CCorvanePollLoop& loop) : CCorvaneClient(loop), m_loop(loop) {}

  // Sends count messages of elements DT_LONG elements each, at most
  // kWindow unanswered at a time. Returns false when the echoes stop coming.
  bool RunMessages(long count, long elements);
  // Pings count times, one after the other.
  bool RunPings(long count);
  bool IsGone() const { return m_bGone; }

 protected:
  void OnMessageReceived(CCorvaneMessage& msg) override;
  void OnDisconnected(CorvaneClientDisconnection reason) override;
  void OnPing(std::int32_t lMilliseconds) override;

 private:
  static constexpr long kWindow = 256;
  static constexpr unsigned kWaitMs = 10000;

  CCorvanePollLoop& m_loop;
  long m_lEchoed = 0;
  bool m_bBadEcho = false;
  bool m_bGone = false;
  std::vector<std::int32_t> m_pingMs;
  std::vector<double> m_pingMicros;
  std::chrono::steady_clock::time_point m_pingSent;
};
