#include "Flooder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <vector>

#include "FileDescriptor.h"

namespace {

constexpr unsigned kBatch = 64;
constexpr std::size_t kPoolSize = 1 << 20;

timespec Add(timespec t, long ns) {
  t.tv_nsec += ns;
  t.tv_sec += t.tv_nsec / 1000000000L;
  t.tv_nsec %= 1000000000L;
  return t;
}

}  // namespace

bool Flooder::Run(std::string& error) {
  printersim::FileDescriptor fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(m_options.port);
  if (!fd.valid() || ::inet_pton(AF_INET, m_options.to.c_str(), &to.sin_addr) != 1) {
    error = std::string("socket: ") + std::strerror(errno);
    return false;
  }
  // Random bytes made once; each datagram is a slice of them at a random
  // offset, so the flood costs little more than its system calls.
  std::mt19937_64 random(m_options.seed);
  std::vector<unsigned char> pool(kPoolSize + m_options.maxSize);
  for (unsigned char& b : pool) b = static_cast<unsigned char>(random());
  std::uniform_int_distribution<unsigned> size(1, m_options.maxSize);
  std::uniform_int_distribution<std::size_t> offset(0, kPoolSize);
  std::vector<iovec> iov(kBatch);
  std::vector<mmsghdr> messages(kBatch);

  timespec tick{};
  ::clock_gettime(CLOCK_MONOTONIC, &tick);
  const std::uint64_t total = static_cast<std::uint64_t>(m_options.rate) * m_options.seconds;
  for (std::uint64_t ms = 1; ms <= 1000ull * m_options.seconds; ++ms) {
    tick = Add(tick, 1000000L);
    // Sleep until the tick's deadline (absolute, so that lateness does not add up).
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &tick, nullptr) == EINTR) {
    }
    const std::uint64_t due = total * ms / (1000ull * m_options.seconds);
    while (m_sent + m_refused < due) {
      const unsigned n = static_cast<unsigned>(std::min<std::uint64_t>(kBatch, due - m_sent - m_refused));
      for (unsigned i = 0; i < n; ++i) {
        iov[i] = {pool.data() + offset(random), size(random)};
        messages[i] = {};
        messages[i].msg_hdr.msg_name = &to;
        messages[i].msg_hdr.msg_namelen = sizeof to;
        messages[i].msg_hdr.msg_iov = &iov[i];
        messages[i].msg_hdr.msg_iovlen = 1;
      }
      const int sent = ::sendmmsg(fd.get(), messages.data(), n, 0);
      if (sent > 0) {
        m_sent += static_cast<unsigned>(sent);
      } else if (errno == EAGAIN || errno == ENOBUFS) {
        m_refused += n;  // the flood goes on at its rate, not faster later
      } else if (errno != EINTR) {
        error = std::string("sendmmsg: ") + std::strerror(errno);
        return false;
      }
    }
  }
  return true;
}
