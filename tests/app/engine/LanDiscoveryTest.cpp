// Whole discoveries over UDP inside the virtual LAN, against printer-sim on
// peer 1. Each test starts the simulator it needs.
#include "CDeviceTable.h"
#include "CDiscoveryWorker.h"
#include "RecordingOwner.h"
#include "UdpProbe.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using VirtualLan::StartSim;

namespace {

// One discovery with a recording owner and the real UDP transport.
class LanRun {
 public:
  explicit LanRun(const CDiscoverySettings& settings) {
    m_Owner.m_Settings = settings;
    m_Owner.m_OnStop = [this] { m_Worker.RequestStop(); };
  }
  void Start() {
    m_Start = Clock::now();
    ASSERT_EQ(m_Worker.Start(), 1);
  }
  // Runs to the end; the elapsed time.
  Clock::duration Run() {
    Start();
    EXPECT_TRUE(m_Worker.WaitForEnd(60s));
    return Clock::now() - m_Start;
  }

  RecordingOwner m_Owner;
  CDeviceTable m_Table{m_Owner};
  CDiscoveryWorker m_Worker{m_Owner, m_Table};
  Clock::time_point m_Start;
};

class LanDiscovery : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { VirtualLan::AddPrinterAddresses(20); }
  void SetUp() override {
    if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  }
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

size_t CountLogged(const RecordingOwner& owner, const std::wstring& prefix) {
  const auto lines = owner.LogLines();
  return std::count_if(lines.begin(), lines.end(),
                       [&](const std::wstring& l) { return l.starts_with(prefix); });
}

}  // namespace

TEST_F(LanDiscovery, NoPrinterEndsAfterThreeRequests) {
  LanRun run({});
  const double s = Seconds(run.Run());
  EXPECT_EQ(CountLogged(run.m_Owner, L"<TX_DEV_DISCOVERY><ZQ><0000> Another discovery try..."), 3u);
  EXPECT_EQ(run.m_Owner.ConsoleCount(L"<END_DEV_DISCOVERY> NO device found!"), 1u);
  EXPECT_EQ(run.m_Table.GetDeviceCount(), 0u);
  // 3 tries x 3 receives x (200 ms + 50 ms).
  EXPECT_GT(s, 2.0);
  EXPECT_LT(s, 5.0);
  EXPECT_EQ(run.m_Worker.GetState(), TX_DEV_DISCOVERY);
}

// Asked by the subnet-directed broadcast; the other tests use the limited one.
TEST_F(LanDiscovery, OnePrinterGivesOneFilledRecord) {
  auto sim = StartSim({"--count", "1"});
  CDiscoverySettings settings;
  settings.dwBroadcastType = 0;
  LanRun run(settings);
  run.Run();
  ASSERT_EQ(run.m_Table.GetDeviceCount(), 1u);
  const _DeviceInfo& d = *run.m_Table.GetDevice(0);
  EXPECT_EQ((std::vector<std::wstring>{d.strIpAddress, d.strMacAddress, d.strName, d.strSubnetMask,
                                       d.strGateway}),
            (std::vector<std::wstring>{L"10.77.16.1", L"02-51-4D-00-00-01", L"Lumen Desk 0001",
                                       L"255.255.0.0", L"10.77.0.1"}));
  EXPECT_NE(d.strModel, L"-|-|-");
  EXPECT_EQ(d.dwImage, 1u);
  EXPECT_FALSE(d.strDhcp.empty());
  EXPECT_EQ(CountLogged(run.m_Owner, L"<TX_DEV_REQ_INFO>: <ZQ><STSMOQ><NAME>"), 2u);
}

TEST_F(LanDiscovery, SeveralPrintersInDiscoveryOrder) {
  auto sim = StartSim({"--count", "5"});
  LanRun run({});
  run.Run();
  ASSERT_EQ(run.m_Table.GetDeviceCount(), 5u);
  std::vector<std::wstring> order;
  for (const auto& line : run.m_Owner.LogLines()) {
    const auto pos = line.find(L", from IP Add.: ");
    if (line.starts_with(L"<RX_DEV_DISCOVERY>: Mac Add.: ") && pos != std::wstring::npos) {
      const std::wstring ip = line.substr(pos + 16);
      if (std::find(order.begin(), order.end(), ip) == order.end()) order.push_back(ip);
    }
  }
  ASSERT_EQ(order.size(), 5u);
  std::set<std::wstring> macs;
  for (DWORD i = 0; i < 5; ++i) {
    const _DeviceInfo& d = *run.m_Table.GetDevice(i);
    EXPECT_EQ(d.strIpAddress, order[i]);
    EXPECT_TRUE(d.strName.starts_with(L"Lumen Desk "));
    macs.insert(d.strMacAddress);
  }
  EXPECT_EQ(macs.size(), 5u);
}

TEST_F(LanDiscovery, EmptyDatagramsAreReceivedWithoutCounting) {
  LanRun run({});
  run.Start();
  ASSERT_TRUE(run.m_Owner.WaitForConsole(L"<RX_DEV_DISCOVERY>", 5s));
  UdpProbe sender(0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(sender.Send(VirtualLan::Env("VLAN_HOST_IP"), 15001, ""));
  ASSERT_TRUE(run.m_Worker.WaitForEnd(30s));
  EXPECT_EQ(run.m_Owner.ConsoleCount(L"<RX_DEV_NOREAD>"), 9u);
  EXPECT_EQ(run.m_Owner.ConsoleCount(L"<RX_DEV_DISCOVERY>"), 12u);
  for (const auto& line : run.m_Owner.Console()) EXPECT_EQ(line.find(L"Rx Data"), std::wstring::npos);
}

TEST_F(LanDiscovery, AnswerPortInUseEndsQuicklyWithNothingFound) {
  auto sim = StartSim({"--count", "1"});
  const UdpProbe taken(15001);
  ASSERT_TRUE(taken.Bound());
  LanRun run({});
  EXPECT_LT(Seconds(run.Run()), 2.0);  // only the idle pauses remain
  EXPECT_EQ(run.m_Table.GetDeviceCount(), 0u);
  EXPECT_EQ(run.m_Owner.ConsoleCount(L"<END_DEV_DISCOVERY> NO device found!"), 1u);
}

TEST_F(LanDiscovery, FaultyPrintersNeverDuplicateRecords) {
  auto sim = StartSim({"--count", "20", "--duplicate", "--garbage", "25", "--seed", "7"});
  LanRun run({});
  run.Run();
  std::set<std::wstring> ips, macs;
  const DWORD count = run.m_Table.GetDeviceCount();
  for (DWORD i = 0; i < count; ++i) {
    const _DeviceInfo& d = *run.m_Table.GetDevice(i);
    EXPECT_TRUE(ips.insert(d.strIpAddress).second) << "duplicate address";
    if (d.strMacAddress != L"xx xx xx xx") {
      EXPECT_TRUE(macs.insert(d.strMacAddress).second);
    }
  }
  EXPECT_GE(count, 18u);
  EXPECT_LE(count, 20u);
}
