// Address texts, generated printers and which printers hear a destination.
#include <gtest/gtest.h>

#include <set>

#include "IpText.h"
#include "PrinterGenerator.h"
#include "PrinterTable.h"

using namespace printersim;

namespace {


TEST(Ipv4AddressTest, ParsesOnlyStrictDottedDecimal) {
  for (const char* good : {"10.77.16.1", "0.0.0.0", "255.255.255.255"})
    EXPECT_EQ(Ip(good).ToString(), good);
  for (const char* bad : {"256.1.1.1", "1.2.3", "1.2.3.4.5", "1..2.3", "1.2.3.4 ", "", "010.1.1.1",
                          "1.2.3.1000", "a.b.c.d", "-1.2.3.4"})
    EXPECT_FALSE(Ipv4Address::Parse(bad)) << bad;
  EXPECT_EQ(Ip("10.77.16.1").value(), 0x0A4D1001u);
}

TEST(PrinterGeneratorTest, AddressesCountOnThroughHostBytes1To250) {
  // With the virtual LAN's base, printer k is at 10.77.(16 + k/250).(1 + k%250).
  for (std::size_t k : {0, 1, 249, 250, 251, 999, 3999}) {
    EXPECT_EQ(PrinterGenerator::AddressOf(Ip("10.77.16.1"), k)->ToString(),
              "10.77." + std::to_string(16 + k / 250) + "." + std::to_string(1 + k % 250));
  }
  EXPECT_EQ(PrinterGenerator::AddressOf(Ip("192.168.1.200"), 50)->ToString(), "192.168.1.250");
  EXPECT_EQ(PrinterGenerator::AddressOf(Ip("192.168.1.200"), 51)->ToString(), "192.168.2.1");
  EXPECT_EQ(PrinterGenerator::AddressOf(Ip("10.0.255.250"), 1)->ToString(), "10.1.0.1");
  for (const char* base : {"10.0.0.0", "10.0.0.251"})
    EXPECT_FALSE(PrinterGenerator::AddressOf(Ip(base), 0)) << base;
  EXPECT_FALSE(PrinterGenerator::AddressOf(Ip("255.255.255.250"), 1));
  std::string error;
  EXPECT_FALSE(PrinterGenerator(Ip("255.255.255.1"), Ip("255.255.0.0"), Ip("10.77.0.1"))
                   .MakeAll(251, error));
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
    EXPECT_EQ(p.subnetMask + " " + p.gateway, "255.255.0.0 10.77.0.1");
  }
  EXPECT_EQ(macs.size() + names.size() + addresses.size(), 3 * 4000u);
  EXPECT_EQ(models.size(), 2u);
  EXPECT_EQ(dhcp, (std::set<std::string>{"0", "1"}));
  EXPECT_EQ((*printers)[0].mac + " " + (*printers)[0].name, "02-51-4D-00-00-01 Lumen Desk 0001");
  EXPECT_EQ((*printers)[299].mac, "02-51-4D-00-01-2C");
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
  const std::pair<const char*, std::vector<std::size_t>> cases[] = {
      {"255.255.255.255", {0, 1, 2, 3}}, {"10.77.255.255", {0, 1}}, {"192.168.5.255", {2}},
      {"10.77.16.2", {1}}, {"10.77.16.3", {3}}, {"10.77.1.1", {}}, {"10.255.255.255", {}}};
  for (const auto& [destination, hear] : cases) {
    std::vector<std::size_t> out{99};
    table.Addressees(Ip(destination), out);
    EXPECT_EQ(out, hear) << destination;
  }
}

}  // namespace
