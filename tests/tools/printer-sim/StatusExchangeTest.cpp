// The simulator's status exchange: its options, and the TCP server served in
// this process on 127.0.0.1.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "CommandLine.h"
#include "StatusTcpServer.h"
#include "UniqueFd.h"

using namespace printersim;

namespace {

TEST(StatusExchangeTest, OptionsSetTheAnswers) {
  std::string error;
  const auto o = CommandLine::Parse(
      {"--count=1", "--tcp-port", "9200", "--power-on", "77", "--time-to-cut", "2559",
       "--retract-enabled", "2", "--notch-threshold", "0", "--status", "0A0B", "--answer",
       "1DE5=3132", "--answer", "1DE2=none", "--refuse", "--wrong-form"},
      error);
  ASSERT_TRUE(o) << error;
  const StatusSettings& s = o->status;
  EXPECT_TRUE(s.tcpPortGiven && s.refuse && s.wrongForm);
  EXPECT_EQ(std::to_string(s.tcpPort) + " " + std::to_string(s.powerOn) + " " + std::to_string(s.timeToCut) +
                " " + s.retractEnabled + " " + std::to_string(s.notchThreshold),
            "9200 77 2559 2 0");
  EXPECT_EQ(s.status, "\x0A\x0B");
  EXPECT_EQ(s.overrides.at("\x1D\xE5"), "12");
  EXPECT_EQ(s.overrides.at("\x1D\xE2"), std::nullopt);
  const std::pair<std::string_view, std::string_view> bad[] = {
      {"--time-to-cut", "2560"}, {"--notch-threshold", "256"}, {"--retract-enabled", "12"}, {"--status", "0A0"},
      {"--answer", "1DE5"},      {"--answer", "=31"},          {"--answer", "1DE5=3X"}};
  for (const auto& [option, value] : bad)
    EXPECT_FALSE(CommandLine::Parse({"--count=1", option, value}, error)) << option << " " << value;
}

class StatusTcpServerTest : public ::testing::Test {
 protected:
  void Start(unsigned delayMs) {
    std::string error;
    server = StatusTcpServer::Start(Ipv4Address(0x7F000001), 0, settings, delayMs, monitor, error);
    ASSERT_TRUE(server) << error;
    client = UniqueFd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(server->port());
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(client.Get(), reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
  }
  void Send(const std::string& bytes) { send(client.Get(), bytes.data(), bytes.size(), 0); }
  std::string Read(std::size_t count) {
    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (got < count) {
      const ssize_t n = recv(client.Get(), bytes.data() + got, count - got, 0);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    return bytes.substr(0, got);
  }

  StatusSettings settings;
  ExchangeMonitor monitor;
  std::unique_ptr<StatusTcpServer> server;
  UniqueFd client;
};

TEST_F(StatusTcpServerTest, SkipsStrayBytesAndWaitsForWholeRequests) {
  Start(0);
  Send("\xFF\x1D");        // a stray byte, then the start of a request
  Send("\xE5\x10\x04\x15");  // its end, then a whole second one
  EXPECT_EQ(Read(20 + 15), "<ZQ><STSMOA><1234on><ZQ><STSMOA><\x12>");
  EXPECT_EQ(monitor.exchanges(), 2u);
}

TEST_F(StatusTcpServerTest, CountsARequestThatComesWhileAnAnswerIsDue) {
  Start(200);
  Send("\x10\x04\x15\x10\x04\x15");
  EXPECT_EQ(Read(30), "<ZQ><STSMOA><\x12><ZQ><STSMOA><\x12>");
  EXPECT_EQ(monitor.exchanges(), 2u);
  EXPECT_EQ(monitor.overlaps(), 1u);
}

}  // namespace
