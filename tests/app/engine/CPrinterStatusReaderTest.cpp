// Where the status reader stops asking, against a CUPS scheduler of the
// test's own and a printer port on loopback that nobody listens on.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "CPrinterStatusReader.h"
#include "PrinterSetup.h"

namespace {

// A loopback port that was free a moment ago: a connection to it is refused.
int ClosedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  ::close(fd);
  return bound ? ntohs(address.sin_port) : 0;
}

TEST(CPrinterStatusReader, StopsAfterTwoCallsWithoutContactOrWhenTheQueueIsMissing) {
  PrinterSetup setup;
  ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
  const int port = ClosedPort();
  ASSERT_NE(port, 0);
  ASSERT_TRUE(setup.AddPrinter("Gone", "socket://127.0.0.1:" + std::to_string(port), 1));

  const CPrinterStatus gone = CPrinterStatusReader("Gone").Read();
  EXPECT_EQ(gone.state, CPrinterStatus::State::kNoContact) << gone.strProblem;
  EXPECT_TRUE(gone.values[0].bAsked && gone.values[1].bAsked);
  EXPECT_FALSE(gone.values[2].bAsked);  // asking on would only wait longer

  const CPrinterStatus missing = CPrinterStatusReader("Nowhere").Read();
  EXPECT_EQ(missing.state, CPrinterStatus::State::kNotSetUp);
  EXPECT_FALSE(missing.values[0].bAsked);
}

}  // namespace
