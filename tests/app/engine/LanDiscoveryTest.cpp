// A whole discovery over UDP inside the virtual LAN, against printer-sim on
// peer 1 with printers that answer twice and send garbage.
#include "CDeviceTable.h"
#include "CDiscoveryWorker.h"
#include "RecordingOwner.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>

#include <set>

using namespace std::chrono_literals;

TEST(LanDiscovery, FaultyPrintersNeverDuplicateRecords) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  VirtualLan::AddPrinterAddresses(20);
  auto sim = VirtualLan::StartSim({"--count", "20", "--duplicate", "--garbage", "25", "--seed", "7"});
  RecordingOwner owner;
  CDeviceTable table{owner};
  CDiscoveryWorker worker{owner, table};
  owner.m_OnStop = [&] { worker.RequestStop(); };
  ASSERT_EQ(worker.Start(), 1);
  ASSERT_TRUE(worker.WaitForEnd(60s));
  std::set<std::wstring> ips, macs;
  const DWORD count = table.GetDeviceCount();
  for (DWORD i = 0; i < count; ++i) {
    const _DeviceInfo& d = *table.GetDevice(i);
    EXPECT_TRUE(ips.insert(d.strIpAddress).second) << "duplicate address";
    if (d.strMacAddress != L"xx xx xx xx") {
      EXPECT_TRUE(macs.insert(d.strMacAddress).second);
    }
  }
  EXPECT_GE(count, 18u);
  EXPECT_LE(count, 20u);
}
