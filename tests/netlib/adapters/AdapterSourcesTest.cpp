#include <gtest/gtest.h>

#include "platform/DhcpLeases.h"
#include "platform/RouteTable.h"

namespace {

using namespace corvane::detail;

TEST(RouteTable, DefaultRoutesByMetric) {
  const char table[] =
      "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
      "wlan0\t00000000\t0100A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
      "eth0\t00000000\t01004D0A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
      "eth0\t00004D0A\t00000000\t0001\t0\t0\t0\t0000FFFF\t0\t0\t0\n"      // on-link subnet
      "eth1\t00000000\t0101A8C0\t0001\t0\t0\t50\t00000000\t0\t0\t0\n"     // no gateway flag
      "eth2\t00000000\t0102A8C0\t0002\t0\t0\t10\t00000000\t0\t0\t0\n"     // not up
      "bad\tzz\n";
  const auto routes = ParseDefaultRoutes(table);
  ASSERT_EQ(routes.size(), 2u);
  EXPECT_EQ(routes[0].strInterface, "eth0");
  EXPECT_EQ(routes[0].strGateway, "10.77.0.1");
  EXPECT_EQ(routes[1].strInterface, "wlan0");
  EXPECT_EQ(routes[1].strGateway, "192.168.0.1");
  EXPECT_TRUE(ParseDefaultRoutes("").empty());
}

const std::vector<AdapterAddress> kEth0 = {{"192.168.1.50", "255.255.255.0"}};

TEST(DhcpLeases, DhclientTakesTheLastCurrentLeaseOfTheInterface) {
  const char text[] =
      "lease {\n  interface \"eth0\";\n  fixed-address 192.168.1.50;\n"
      "  option dhcp-server-identifier 192.168.1.1;\n}\n"
      "lease {\n  interface \"eth0\";\n  fixed-address 192.168.1.50;\n"
      "  option dhcp-server-identifier 192.168.1.2;\n}\n"
      "lease {\n  interface \"eth0\";\n  fixed-address 192.168.1.77;\n"   // old address
      "  option dhcp-server-identifier 192.168.1.3;\n}\n"
      "lease {\n  interface \"wlan0\";\n  fixed-address 192.168.1.50;\n"  // other interface
      "  option dhcp-server-identifier 192.168.1.4;\n}\n";
  LeaseFacts lease;
  ASSERT_TRUE(ParseDhclientLeases(text, "eth0", kEth0, lease));
  EXPECT_EQ(lease.strServer, "192.168.1.2");
  EXPECT_FALSE(ParseDhclientLeases(text, "eth1", kEth0, lease));
  EXPECT_FALSE(ParseDhclientLeases(text, "eth0", {{"10.0.0.1", "255.0.0.0"}}, lease))
      << "a stale lease of a now static address is not DHCP";
}

TEST(DhcpLeases, KeyValueLease) {
  LeaseFacts lease;
  ASSERT_TRUE(ParseKeyValueLease(
      "# This is private data. Do not parse.\nADDRESS=192.168.1.50\nNETMASK=255.255.255.0\n"
      "SERVER_ADDRESS=192.168.1.1\nROUTER=192.168.1.1\n",
      lease));
  EXPECT_EQ(lease.strAddress, "192.168.1.50");
  EXPECT_EQ(lease.strServer, "192.168.1.1");
  EXPECT_FALSE(ParseKeyValueLease("ADDRESS=192.168.1.50\n", lease));
  EXPECT_FALSE(ParseKeyValueLease("", lease));
}

}  // namespace
