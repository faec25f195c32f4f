#include "EchoClient.h"

#include <algorithm>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

bool EchoClient::RunMessages(long count, long elements) {
  CCorvaneMessage msg(1);
  for (long i = 0; i < elements; ++i) msg.Add(i);
  auto start = Clock::now();
  for (long sent = 0; sent < count; ++sent) {
    msg.SetId(static_cast<std::int32_t>(1 + sent % 1000000));
    if (!SendMessageToServer(msg)) return false;
    if (sent + 1 - m_lEchoed >= kWindow &&
        !m_loop.RunUntil([&] { return m_bGone || sent + 1 - m_lEchoed < kWindow; }, kWaitMs)) {
      return false;
    }
  }
  if (!m_loop.RunUntil([&] { return m_bGone || m_lEchoed == count; }, kWaitMs) || m_bGone) return false;
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("messages: %ld of %ld elements echoed in %.3f s: %.0f messages/s%s\n", count, elements,
              seconds, seconds > 0 ? count / seconds : 0.0, m_bBadEcho ? " (some echoes differed)" : "");
  return !m_bBadEcho;
}

bool EchoClient::RunPings(long count) {
  for (long i = 0; i < count; ++i) {
    std::size_t before = m_pingMs.size();
    m_pingSent = Clock::now();
    if (!PingServer() ||
        !m_loop.RunUntil([&] { return m_bGone || m_pingMs.size() > before; }, kWaitMs) || m_bGone) {
      return false;
    }
  }
  if (count > 0) {
    std::printf("pings: %ld, median %d ms (%.0f us), max %d ms (%.0f us)\n", count, Median(m_pingMs),
                Median(m_pingMicros), *std::max_element(m_pingMs.begin(), m_pingMs.end()),
                *std::max_element(m_pingMicros.begin(), m_pingMicros.end()));
  }
  return true;
}

void EchoClient::OnMessageReceived(CCorvaneMessage& msg) {
  if (msg.GetId() != static_cast<std::int32_t>(1 + m_lEchoed % 1000000)) m_bBadEcho = true;
  ++m_lEchoed;
}

void EchoClient::OnDisconnected(CorvaneClientDisconnection reason) {
  std::printf("disconnected: reason %d\n", static_cast<int>(reason));
  m_bGone = true;
}

void EchoClient::OnPing(std::int32_t lMilliseconds) {
  m_pingMs.push_back(lMilliseconds);
  m_pingMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - m_pingSent).count());
}
