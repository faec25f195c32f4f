#include "CDeviceTable.h"
#include "RecordingOwner.h"

#include <gtest/gtest.h>

namespace {

class DeviceTableTest : public ::testing::Test {
 protected:
  RecordingOwner m_Owner;
  CDeviceTable m_Table{m_Owner};

  const _DeviceInfo& Record(DWORD i) {
    const _DeviceInfo* p = m_Table.GetDevice(i);
    EXPECT_NE(p, nullptr);
    static const _DeviceInfo none;
    return p ? *p : none;
  }
};

// A record's fields in a fixed order: name, model, address, mask, MAC,
// gateway, DHCP, image.
std::vector<std::wstring> Fields(const _DeviceInfo& r) {
  return {r.strName, r.strModel, r.strIpAddress, r.strSubnetMask, r.strMacAddress,
          r.strGateway, r.strDhcp, std::to_wstring(r.dwImage)};
}

using Updater = BOOL (CDeviceTable::*)(const std::wstring&, const std::wstring&);
using Getter = std::wstring _DeviceInfo::*;

struct FieldCase {
  const char* name;
  Updater update;
  Getter field;
  const wchar_t* placeholder;  // what an empty answer stores
};

const FieldCase kFields[] = {
    {"name", &CDeviceTable::UpdateNameByIp, &_DeviceInfo::strName, L"-*-*-"},
    {"model", &CDeviceTable::UpdateModelByIp, &_DeviceInfo::strModel, L"-|-|-"},
    {"mask", &CDeviceTable::UpdateSubnetMaskByIp, &_DeviceInfo::strSubnetMask, L"!*!*!"},
    {"gateway", &CDeviceTable::UpdateGatewayByIp, &_DeviceInfo::strGateway, L"nn nn nn nn"},
    {"dhcp", &CDeviceTable::UpdateDhcpByIp, &_DeviceInfo::strDhcp, L""},
};

}  // namespace

TEST_F(DeviceTableTest, AddByMacCreatesRecordWithPlaceholdersOnce) {
  EXPECT_EQ(m_Table.AddDeviceByMac(L"", L"", L"192.168.1.50", L"", L"00-11-22-33-44-55"), 1);
  ASSERT_EQ(m_Table.GetDeviceCount(), 1u);
  EXPECT_EQ(Fields(Record(0)), (std::vector<std::wstring>{L"-*-*-", L"-|-|-", L"192.168.1.50", L"!*!*!",
                                                        L"00-11-22-33-44-55", L"", L"", L"5"}));
  auto rows = m_Owner.Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_TRUE(rows[0].bInsert);
  EXPECT_EQ(rows[0].strMac, L"00-11-22-33-44-55");
  EXPECT_EQ(rows[0].dwImage, 5u);

  // The same MAC again, even from another address, changes nothing.
  EXPECT_EQ(m_Table.AddDeviceByMac(L"", L"", L"192.168.1.51", L"", L"00-11-22-33-44-55"), 1);
  EXPECT_EQ(m_Table.GetDeviceCount(), 1u);
  EXPECT_EQ(Record(0).strIpAddress, L"192.168.1.50");
  EXPECT_EQ(m_Owner.Rows().size(), 1u);

  // Given values are kept.
  m_Table.AddDeviceByMac(L"N", L"M", L"1.2.3.4", L"255.0.0.0", L"AA");
  EXPECT_EQ(Fields(Record(1)),
            (std::vector<std::wstring>{L"N", L"M", L"1.2.3.4", L"255.0.0.0", L"AA", L"", L"", L"1"}));
}

TEST_F(DeviceTableTest, UpdateOfKnownAddressSetsFieldAndRefreshesItsRow) {
  m_Table.AddDeviceByMac(L"", L"", L"10.0.0.1", L"", L"A");
  m_Table.AddDeviceByMac(L"", L"", L"10.0.0.2", L"", L"B");
  for (const FieldCase& c : kFields) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ((m_Table.*c.update)(L"value", L"10.0.0.2"), 1);
    EXPECT_EQ(Record(1).*c.field, L"value");
    const RowCall row = m_Owner.Rows().back();
    EXPECT_FALSE(row.bInsert);
    EXPECT_EQ(row.dwRow, 2u);  // record 1 is row 2
    EXPECT_EQ(row.strMac, L"B");
    EXPECT_EQ((m_Table.*c.update)(L"", L"10.0.0.2"), 1);
    EXPECT_EQ(Record(1).*c.field, c.placeholder);
  }
  EXPECT_EQ(m_Table.GetDeviceCount(), 2u);
  EXPECT_EQ(Record(0).strName, L"-*-*-");  // the other record is untouched
  // A model sets the image shown; an empty one sets the unknown image.
  m_Table.UpdateModelByIp(L"Quillmark Compact", L"10.0.0.2");
  EXPECT_EQ(Record(1).dwImage, 1u);
  EXPECT_EQ(m_Owner.Rows().back().dwImage, 1u);
  m_Table.UpdateModelByIp(L"", L"10.0.0.2");
  EXPECT_EQ(Record(1).dwImage, 5u);
}

TEST_F(DeviceTableTest, AnswerFromUnknownAddressCreatesRecordWithThatAddress) {
  for (const FieldCase& c : kFields) {
    SCOPED_TRACE(c.name);
    m_Table.Clear();
    const std::wstring ip = L"10.1.1.9";
    EXPECT_EQ((m_Table.*c.update)(L"v", ip), 1);
    ASSERT_EQ(m_Table.GetDeviceCount(), 1u);
    // The address also for mask, gateway and DHCP answers.
    _DeviceInfo expected{.strName = L"-*-*-", .strModel = L"-|-|-", .strIpAddress = ip,
                         .strSubnetMask = L"!*!*!", .strMacAddress = L"xx xx xx xx",
                         .strGateway = L"nn nn nn nn", .strDhcp = {}};
    expected.*c.field = L"v";
    EXPECT_EQ(Fields(Record(0)), Fields(expected));
    EXPECT_TRUE(m_Owner.Rows().back().bInsert);
    // Later answers from the address find that record.
    EXPECT_EQ(m_Table.UpdateGatewayByIp(L"g", ip), 1);
    EXPECT_EQ(m_Table.GetDeviceCount(), 1u);
    EXPECT_EQ(Record(0).strGateway, L"g");
    // An empty answered value is stored as it came, not as a placeholder.
    m_Table.Clear();
    (m_Table.*c.update)(L"", ip);
    EXPECT_EQ(Record(0).*c.field, L"");
  }
}

TEST_F(DeviceTableTest, UpdateOrAddRefreshesOrAppends) {
  EXPECT_EQ(m_Table.UpdateOrAddDeviceByIp(L"", L"", L"125.125.125.125", L"129.27.129.27",
                                          L"25 25 25 25 25"),
            1);
  EXPECT_EQ(Fields(Record(0)), (std::vector<std::wstring>{L"", L"", L"125.125.125.125", L"129.27.129.27",
                                                        L"25 25 25 25 25", L"nn nn nn nn", L"", L"0"}));

  m_Table.UpdateOrAddDeviceByIp(L"PrnName0", L"", L"125.125.125.125", L"", L"other");
  ASSERT_EQ(m_Table.GetDeviceCount(), 1u);
  EXPECT_EQ(Fields(Record(0)), (std::vector<std::wstring>{L"PrnName0", L"-|-|-", L"125.125.125.125", L"!*!*!",
                                                        L"25 25 25 25 25", L"nn nn nn nn", L"", L"5"}));
  EXPECT_EQ(m_Owner.Rows().back().dwRow, 1u);
}

TEST_F(DeviceTableTest, ClearAndLookupBeyondTable) {
  m_Table.AddDeviceByMac(L"", L"", L"10.0.0.1", L"", L"A");
  EXPECT_EQ(m_Table.GetDevice(1), nullptr);
  m_Table.Clear();
  EXPECT_EQ(m_Table.GetDeviceCount(), 0u);
  EXPECT_EQ(m_Table.GetDevice(0), nullptr);
  // Lookups are emptied too: the same MAC makes a new record.
  m_Table.AddDeviceByMac(L"", L"", L"10.0.0.1", L"", L"A");
  EXPECT_EQ(m_Table.GetDeviceCount(), 1u);
}

TEST_F(DeviceTableTest, ReconfiguredAddressIsTheNewKey) {
  m_Table.AddDeviceByMac(L"", L"", L"10.0.0.1", L"", L"A");
  EXPECT_EQ(m_Table.SetDeviceConfiguration(0, L"P", L"10.0.0.9", L"255.0.0.0", L"10.0.0.254"), 1);
  EXPECT_EQ(Fields(Record(0)), (std::vector<std::wstring>{L"P", L"-|-|-", L"10.0.0.9", L"255.0.0.0",
                                                        L"A", L"10.0.0.254", L"", L"5"}));
  EXPECT_EQ(m_Table.SetDeviceConfiguration(1, L"P", L"x", L"x", L"x"), 0);
  m_Table.UpdateModelByIp(L"M", L"10.0.0.9");
  m_Table.UpdateModelByIp(L"M", L"10.0.0.1");
  ASSERT_EQ(m_Table.GetDeviceCount(), 2u);
  EXPECT_EQ(Record(0).strModel, L"M");
  EXPECT_EQ(Record(1).strIpAddress, L"10.0.0.1");
}

// A flood of answers from ever new printers stops at the bound: one console
// and log line, nothing appended, known printers still updated.
TEST_F(DeviceTableTest, FullTableTurnsNewPrintersAwayAndSaysSoOnce) {
  const DWORD kMax = CDeviceTable::kMaxDevices;
  for (DWORD i = 0; i < kMax; ++i) m_Table.AddDeviceByMac(L"", L"", L"10.0.0.1", L"", std::to_wstring(i));
  EXPECT_EQ(m_Owner.ConsoleCount(CDeviceTable::TableFullLine()), 0u);
  EXPECT_EQ(m_Table.AddDeviceByMac(L"", L"", L"10.9.9.9", L"", L"new"), 0);
  EXPECT_EQ(m_Table.UpdateNameByIp(L"N", L"10.9.9.9"), 0);
  EXPECT_EQ(m_Table.UpdateOrAddDeviceByIp(L"N", L"M", L"10.9.9.8", L"", L"x"), 0);
  EXPECT_EQ(m_Table.AddDeviceByMac(L"", L"", L"10.0.0.1", L"", L"0"), 1);  // known MAC
  EXPECT_EQ(m_Table.UpdateNameByIp(L"N", L"10.0.0.1"), 1);
  EXPECT_EQ(m_Table.GetDeviceCount(), kMax);
  EXPECT_EQ(Record(0).strName, L"N");  // the first record with the address
  EXPECT_EQ(Record(1).strName, L"-*-*-");
  EXPECT_EQ(m_Owner.ConsoleCount(CDeviceTable::TableFullLine()), 1u);
  const auto log = m_Owner.LogLines();
  EXPECT_EQ(std::count(log.begin(), log.end(), CDeviceTable::TableFullLine()), 1);
  // A new run may say it again.
  m_Table.Clear();
  for (DWORD i = 0; i <= kMax; ++i) m_Table.AddDeviceByMac(L"", L"", L"10.0.0.1", L"", std::to_wstring(i));
  EXPECT_EQ(m_Owner.ConsoleCount(CDeviceTable::TableFullLine()), 2u);
}
