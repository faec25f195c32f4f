// Address texts, generated printers and which printers hear a destination.
#include <gtest/gtest.h>

#include <set>

#include "Ipv4Address.h"
#include "PrinterGenerator.h"
#include "PrinterTable.h"

using namespace printersim;

namespace {

Ipv4Address Ip(const char* text) { return Ipv4Address::Parse(text).value(); }

TEST(Ipv4AddressTest, ParsesOnlyStrictDottedDecimal) {
  struct Case {
    const char* text;
    bool valid;
  };
  for (const Case& c : {Case{"10.77.16.1", true}, Case{"0.0.0.0", true},
                        Case{"255.255.255.255", true}, Case{"010.1.1.1", false},
                        Case{"256.1.1.1", false}, Case{"1.2.3", false}, Case{"1.2.3.4.5", false},
                        Case{"1..2.3", false}, Case{"1.2.3.4 ", false}, Case{"", false},
                        Case{"1.2.3.1000", false}, Case{"a.b.c.d", false}, Case{"-1.2.3.4", false}}) {
    const auto parsed = Ipv4Address::Parse(c.text);
    EXPECT_EQ(parsed.has_value(), c.valid) << c.text;
  }
  EXPECT_EQ(Ip("10.77.16.1").value(), 0x0A4D1001u);
  EXPECT_EQ(Ip("10.77.255.254").ToString(), "10.77.255.254");
}

TEST(PrinterGeneratorTest, AddressesMatchTheVirtualLanScript) {
  // scripts/vlan gives printer k the address 10.77.(16 + k/250).(1 + k%250).
  const Ipv4Address base = Ip("10.77.16.1");
  for (std::size_t k : {0, 1, 249, 250, 251, 499, 500, 999, 3999}) {
    const std::string expected = "10.77." + std::to_string(16 + k / 250) + "." +
                                 std::to_string(1 + k % 250);
    EXPECT_EQ(PrinterGenerator::AddressOf(base, k)->ToString(), expected) << k;
  }
}

TEST(PrinterGeneratorTest, OtherBasesCountOnFromTheirHostByte) {
  EXPECT_EQ(PrinterGenerator::AddressOf(Ip("192.168.1.200"), 50)->ToString(), "192.168.1.250");
  EXPECT_EQ(PrinterGenerator::AddressOf(Ip("192.168.1.200"), 51)->ToString(), "192.168.2.1");
  EXPECT_EQ(PrinterGenerator::AddressOf(Ip("10.0.255.250"), 1)->ToString(), "10.1.0.1");
  EXPECT_FALSE(PrinterGenerator::AddressOf(Ip("10.0.0.0"), 0));
  EXPECT_FALSE(PrinterGenerator::AddressOf(Ip("10.0.0.251"), 0));
  EXPECT_FALSE(PrinterGenerator::AddressOf(Ip("255.255.255.250"), 1));
}

TEST(PrinterGeneratorTest, GeneratedPrintersAreDistinctAndDeterministic) {
  const PrinterGenerator generator(Ip("10.77.16.1"), Ip("255.255.0.0"), Ip("10.77.0.1"));
  std::string error;
  const auto printers = generator.MakeAll(4000, error);
  ASSERT_TRUE(printers) << error;
  std::set<std::string> macs, names, addresses, models, dhcp;
  for (const Printer& p : *printers) {
    macs.insert(p.mac);
    names.insert(p.name);
    addresses.insert(p.address.ToString());
    models.insert(p.model);
    dhcp.insert(p.dhcp);
    EXPECT_EQ(p.subnetMask, "255.255.0.0");
    EXPECT_EQ(p.gateway, "10.77.0.1");
  }
  EXPECT_EQ(macs.size(), 4000u);
  EXPECT_EQ(names.size(), 4000u);
  EXPECT_EQ(addresses.size(), 4000u);
  EXPECT_GE(models.size(), 2u);
  EXPECT_EQ(dhcp, (std::set<std::string>{"0", "1"}));
  EXPECT_EQ((*printers)[0].mac, "00-1B-4C-00-00-01");
  EXPECT_EQ((*printers)[0].name, "ZQ-PRN-0001");
  EXPECT_EQ((*printers)[299].mac, "00-1B-4C-00-01-2C");
  EXPECT_EQ(generator.Make(299).name, (*printers)[299].name);
}

TEST(PrinterGeneratorTest, TooManyForTheBaseIsAnError) {
  const PrinterGenerator generator(Ip("255.255.255.1"), Ip("255.255.0.0"), Ip("10.77.0.1"));
  std::string error;
  EXPECT_FALSE(generator.MakeAll(251, error));
  EXPECT_NE(error.find("255.255.255.1"), std::string::npos);
}

TEST(PrinterTableTest, DestinationDecidesWhichPrintersHear) {
  std::vector<Printer> printers(4);
  const char* addresses[] = {"10.77.16.1", "10.77.16.2", "192.168.5.9", "10.77.16.3"};
  const char* masks[] = {"255.255.0.0", "255.255.0.0", "255.255.255.0", "!*!*!"};
  for (int i = 0; i < 4; ++i) {
    printers[i].address = Ip(addresses[i]);
    printers[i].subnetMask = masks[i];
  }
  const PrinterTable table(std::move(printers));
  struct Case {
    const char* destination;
    std::vector<std::size_t> hear;
  };
  for (const Case& c : {Case{"255.255.255.255", {0, 1, 2, 3}}, Case{"10.77.255.255", {0, 1}},
                        Case{"192.168.5.255", {2}}, Case{"10.77.16.2", {1}},
                        Case{"10.77.16.3", {3}}, Case{"10.77.1.1", {}},
                        Case{"10.255.255.255", {}}}) {
    std::vector<std::size_t> hear{99};
    table.Addressees(Ip(c.destination), hear);
    EXPECT_EQ(hear, c.hear) << c.destination;
  }
}

}  // namespace
