#include <gtest/gtest.h>

#include "platform/NeighbourTable.h"

namespace {

using corvane::detail::FindInArpText;
using corvane::detail::MacAddress;

const char kTable[] =
    "IP address       HW type     Flags       HW address            Mask     Device\n"
    "10.77.1.10       0x1         0x2         02:4c:00:00:01:0a     *        eth0\n"
    "10.77.1.1        0x1         0x2         02:4c:00:00:01:01     *        eth0\n"
    "10.77.1.2        0x1         0x0         00:00:00:00:00:00     *        eth0\n"
    "10.77.1.3        0x1         0x6         0a:1b:2c:3d:4e:5f     *        eth0\n"
    "10.77.1.5        0x1         0x2         zz:1b:2c              *        eth0\n";

TEST(ArpTable, FindsCompleteEntries) {
  const struct { const char* ip; bool found; MacAddress mac; } cases[] = {
      {"10.77.1.1", true, {0x02, 0x4c, 0, 0, 0x01, 0x01}},  // not the 10.77.1.10 row
      {"10.77.1.10", true, {0x02, 0x4c, 0, 0, 0x01, 0x0a}},
      {"10.77.1.3", true, {0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f}},  // permanent
      {"10.77.1.2", false, {}},                                   // incomplete
      {"10.77.1.4", false, {}},                                   // absent
      {"10.77.1.5", false, {}},                                   // malformed
  };
  for (const auto& c : cases) {
    MacAddress mac{};
    EXPECT_EQ(FindInArpText(kTable, c.ip, mac), c.found) << c.ip;
    if (c.found) {
      EXPECT_EQ(mac, c.mac) << c.ip;
    }
  }
}

}  // namespace
