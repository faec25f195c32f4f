// The printers' web pages: responses by request, the server on loopback, and
// printer-sim's pages (one per printer address) inside the virtual LAN (Lan*).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <gtest/gtest.h>

#include <csignal>

#include "FileDescriptor.h"
#include "VirtualLan.h"
#include "WebPage.h"

using namespace printersim;
using namespace std::chrono_literals;

namespace {

Printer PagePrinter() {
  return {Ipv4Address(0x7F000001), "02-51-4D-00-00-07", "Desk <2> & \"hall\"", "Quillmark Wide",
          "255.0.0.0", "127.0.0.254", "1"};
}

// Sends the request to address:port and returns everything the server sends
// until it closes; empty when nothing came within two seconds.
std::string Exchange(const std::string& address, std::uint16_t port, const std::string& request) {
  FileDescriptor fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  inet_pton(AF_INET, address.c_str(), &to.sin_addr);
  if (connect(fd.get(), reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return {};
  send(fd.get(), request.data(), request.size(), MSG_NOSIGNAL);
  std::string reply;
  char buffer[4096];
  pollfd entry{fd.get(), POLLIN, 0};
  while (poll(&entry, 1, 2000) > 0) {
    const ssize_t got = recv(fd.get(), buffer, sizeof buffer, 0);
    if (got <= 0) break;
    reply.append(buffer, static_cast<std::size_t>(got));
  }
  return reply;
}

}  // namespace

TEST(WebPage, ResponsesByRequest) {
  const std::string page = WebPage::Response("GET / HTTP/1.1\r\nHost: x\r\n\r\n", PagePrinter());
  const std::size_t bodyAt = page.find("\r\n\r\n") + 4;
  EXPECT_TRUE(page.starts_with("HTTP/1.0 200 OK\r\n"));
  EXPECT_NE(page.find("Content-Length: " + std::to_string(page.size() - bodyAt) + "\r\n"),
            std::string::npos);
  EXPECT_NE(page.find("<td>Desk &lt;2&gt; &amp; &quot;hall&quot;</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>127.0.0.1</td>"), std::string::npos);
  EXPECT_EQ(WebPage::Response("HEAD /index.html HTTP/1.0\r\n\r\n", PagePrinter()), page.substr(0, bodyAt));

  const std::pair<const char*, const char*> refusals[] = {
      {"GET /setup HTTP/1.1\r\n\r\n", "HTTP/1.0 404 "},
      {"POST / HTTP/1.1\r\n\r\n", "HTTP/1.0 405 "},
      {"\x16\x03\x01 hello", "HTTP/1.0 400 "},
  };
  for (const auto& [request, status] : refusals)
    EXPECT_TRUE(WebPage::Response(request, PagePrinter()).starts_with(status)) << request;
  EXPECT_TRUE(WebPage::Response("GET / HTTP/1.1\r\n\r\n", std::nullopt).starts_with("HTTP/1.0 404 "));
}

TEST(LanWebPage, EachSimulatedPrinterServesItsPageOnPort80) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN (scripts/vlan)";
  VirtualLan::AddPrinterAddresses(2);
  auto sim = VirtualLan::StartSim({"--count", "2", "--base", "10.77.16.1"});
  const std::string reply = Exchange("10.77.16.2", 80, "GET / HTTP/1.1\r\nHost: 10.77.16.2\r\n\r\n");
  EXPECT_NE(reply.find("<h1>Lumen Desk 0002</h1>"), std::string::npos) << reply;
  sim->Signal(SIGTERM);
  EXPECT_EQ(sim->Wait(5s), 0) << sim->Err();
}
