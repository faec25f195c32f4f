// The engine's calls into the system for journals and the address check:
// local time stamps, a durable append, and the ICMP echo.
#include "EnginePlatform.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

namespace EnginePlatform {

namespace {

// Closes the descriptor when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return m_fd; }
  // Closes now; false when the close reported an error.
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

std::string SystemError(const std::string& strWhat) {
  return strWhat + ": " + std::strerror(errno);
}

// Creates the directory and its missing parents, each with mode 0700.
bool MakeDirectories(const std::filesystem::path& dir, std::string& error) {
  std::filesystem::path partial;
  for (const auto& part : dir) {
    partial /= part;
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
      error = SystemError("cannot create " + partial.string());
      return false;
    }
  }
  return true;
}

}  // namespace

std::string LocalTimestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char text[40] = {};
  if (localtime_r(&now, &local) == nullptr ||
      std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local) == 0)
    return {};
  std::string stamp = text;  // ...+0100: the offset gets its colon
  if (stamp.size() >= 5) stamp.insert(stamp.size() - 2, ":");
  return stamp;
}

bool LocalToEpoch(int iYear, int iMonth, int iDay, int iHour, int iMinute, int iSecond,
                  std::int64_t& epoch) {
  std::tm local{};
  local.tm_year = iYear - 1900;
  local.tm_mon = iMonth - 1;
  local.tm_mday = iDay;
  local.tm_hour = iHour;
  local.tm_min = iMinute;
  local.tm_sec = iSecond;
  local.tm_isdst = -1;
  const std::time_t t = std::mktime(&local);
  if (t == static_cast<std::time_t>(-1)) return false;
  epoch = static_cast<std::int64_t>(t);
  return true;
}

bool AppendDurably(const std::filesystem::path& file, std::string_view text, std::string& error) {
  if (file.has_parent_path() && !MakeDirectories(file.parent_path(), error)) return false;
  Descriptor fd(::open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600));
  if (fd.Get() < 0) {
    error = SystemError("cannot open " + file.string());
    return false;
  }
  // A line torn by an earlier crash is closed first, so that it stays a line
  // of its own and the new one reads whole.
  std::string line;
  struct stat st {};
  char last = '\n';
  if (::fstat(fd.Get(), &st) == 0 && st.st_size > 0 && ::pread(fd.Get(), &last, 1, st.st_size - 1) == 1 &&
      last != '\n')
    line.push_back('\n');
  line.append(text);
  ssize_t written = -1;
  do {
    written = ::write(fd.Get(), line.data(), line.size());
  } while (written < 0 && errno == EINTR);
  if (written < 0 || static_cast<std::size_t>(written) != line.size()) {
    error = written < 0 ? SystemError("cannot write " + file.string())
                        : "only part of the line reached " + file.string();
    return false;
  }
  if (::fsync(fd.Get()) != 0 || !fd.Close()) {
    error = SystemError("cannot flush " + file.string());
    return false;
  }
  return true;
}

EchoResult IcmpEcho(std::uint32_t dwAddress, int iTimeoutMs) {
  Descriptor fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP));
  if (fd.Get() < 0)
    return errno == EACCES || errno == EPERM || errno == EPROTONOSUPPORT || errno == EAFNOSUPPORT
               ? EchoResult::kNotAllowed
               : EchoResult::kSilent;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(dwAddress);
  // Connected, the socket hears only this address's answers.
  if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0)
    return EchoResult::kSilent;
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::milliseconds(iTimeoutMs);
  auto nextSend = start;
  for (std::uint16_t seq = 1;; ) {
    const auto now = Clock::now();
    if (now >= deadline) return EchoResult::kSilent;
    if (now >= nextSend && seq <= 2) {
      icmphdr echo{};  // the kernel fills in the identifier and the checksum
      echo.type = ICMP_ECHO;
      echo.un.echo.sequence = htons(seq++);
      ::send(fd.Get(), &echo, sizeof echo, MSG_DONTWAIT);
      nextSend = start + std::chrono::milliseconds(iTimeoutMs / 2);
    }
    const auto wakeAt = seq <= 2 ? std::min(nextSend, deadline) : deadline;
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wakeAt - now);
    pollfd pfd{fd.Get(), POLLIN, 0};
    if (::poll(&pfd, 1, static_cast<int>(std::max<long long>(1, wait.count()))) <= 0) continue;
    std::array<unsigned char, 512> answer{};
    const ssize_t n = ::recv(fd.Get(), answer.data(), answer.size(), MSG_DONTWAIT);
    if (n >= static_cast<ssize_t>(sizeof(icmphdr)) && answer[0] == ICMP_ECHOREPLY)
      return EchoResult::kAnswered;
  }
}

}  // namespace EnginePlatform
