#include "CPacedExchange.h"

#include <algorithm>

CPacedExchange::CPacedExchange(std::size_t window, std::chrono::milliseconds timeout)
    : m_Window(std::max<std::size_t>(window, 1)), m_Timeout(timeout) {}

void CPacedExchange::Add(const Request& request) { m_Queued.push_back(request); }

std::vector<CPacedExchange::Request> CPacedExchange::TakeSendable(Clock::time_point now) {
  std::vector<Request> sendable;
  while (!m_Queued.empty() && m_Waiting.size() < m_Window) {
    m_Waiting.push_back({m_Queued.front(), now + m_Timeout});
    sendable.push_back(m_Queued.front());
    m_Queued.pop_front();
  }
  return sendable;
}

bool CPacedExchange::Answer(DWORD dwAddress, unsigned uKind) {
  const Request answered{dwAddress, uKind};
  const auto it = std::find_if(m_Waiting.begin(), m_Waiting.end(),
                               [&](const Pending& p) { return p.request == answered; });
  if (it == m_Waiting.end()) return false;
  m_Waiting.erase(it);
  return true;
}

std::size_t CPacedExchange::Expire(Clock::time_point now) {
  // Deadlines grow in sending order: the expired ones lead.
  const auto firstLive = std::find_if(m_Waiting.begin(), m_Waiting.end(),
                                      [&](const Pending& p) { return p.deadline > now; });
  const auto count = static_cast<std::size_t>(firstLive - m_Waiting.begin());
  m_Waiting.erase(m_Waiting.begin(), firstLive);
  return count;
}

std::optional<CPacedExchange::Clock::time_point> CPacedExchange::NextDeadline() const {
  if (m_Waiting.empty()) return std::nullopt;
  return m_Waiting.front().deadline;
}
