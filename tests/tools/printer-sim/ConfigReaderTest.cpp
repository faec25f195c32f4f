// Reading printers from a configuration text.
#include <gtest/gtest.h>

#include <sstream>

#include "ConfigReader.h"

using namespace printersim;

namespace {

class ConfigReaderTest : public ::testing::Test {
 protected:
  std::optional<std::vector<Printer>> Read(const std::string& text) {
    std::istringstream in(text);
    return ConfigReader(generator_).Read(in, error_);
  }

  PrinterGenerator generator_{Ipv4Address(0x0A4D1001), Ipv4Address(0xFFFF0000),
                              Ipv4Address(0x0A4D0001)};
  std::string error_;
};

TEST_F(ConfigReaderTest, ReadsEveryFieldAndQuotedValues) {
  const auto printers = Read(
      "# office printers\n"
      "\n"
      "ip=10.77.1.1 mac=AA-BB-CC-DD-EE-FF name=\"Front desk\" model=ZQ-999 "
      "mask=255.255.255.0 gateway=10.77.1.254 dhcp=1   # trailing comment\n"
      "  ip=10.77.1.2\tname=\"\" dhcp=<odd>\r\n");
  ASSERT_TRUE(printers) << error_;
  ASSERT_EQ(printers->size(), 2u);
  const Printer& first = (*printers)[0];
  EXPECT_EQ(first.address.ToString(), "10.77.1.1");
  EXPECT_EQ(first.mac, "AA-BB-CC-DD-EE-FF");
  EXPECT_EQ(first.name, "Front desk");
  EXPECT_EQ(first.model, "ZQ-999");
  EXPECT_EQ(first.subnetMask, "255.255.255.0");
  EXPECT_EQ(first.gateway, "10.77.1.254");
  EXPECT_EQ(first.dhcp, "1");
  const Printer& second = (*printers)[1];
  EXPECT_EQ(second.name, "");
  EXPECT_EQ(second.dhcp, "<odd>");
}

TEST_F(ConfigReaderTest, LeftOutFieldsComeFromTheGeneratorAtThatPosition) {
  const auto printers = Read("ip=10.77.1.1\nip=10.77.1.2 name=X\n");
  ASSERT_TRUE(printers) << error_;
  const Printer expected = generator_.Make(1);
  const Printer& second = (*printers)[1];
  EXPECT_EQ(second.mac, expected.mac);
  EXPECT_EQ(second.model, expected.model);
  EXPECT_EQ(second.subnetMask, expected.subnetMask);
  EXPECT_EQ(second.gateway, expected.gateway);
  EXPECT_EQ(second.dhcp, expected.dhcp);
  EXPECT_NE((*printers)[0].mac, second.mac);
}

TEST_F(ConfigReaderTest, FaultsNameTheLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  for (const Case& c : {
           Case{"name=A\n", "line 1: 'ip' is missing"},
           Case{"ip=10.77.1.1\nip=10.77.1.300\n", "line 2: '10.77.1.300' is not an IPv4 address"},
           Case{"ip=10.77.1.1 colour=red\n", "line 1: unknown key 'colour'"},
           Case{"ip=10.77.1.1 name=a name=b\n", "line 1: 'name' given twice"},
           Case{"ip=10.77.1.1 name=\"open\n", "line 1: unterminated quoted value of 'name'"},
           Case{"ip=10.77.1.1 name=\"a\"b\n", "line 1: blank expected after the quoted value of 'name'"},
           Case{"ip=10.77.1.1 lonely\n", "line 1: expected KEY=VALUE at 'lonely'"},
           Case{"ip=10.77.1.1 =x\n", "line 1: expected KEY=VALUE at '=x'"},
           Case{"ip=10.77.1.1\n#\nip=10.77.1.1\n", "line 3: address 10.77.1.1 already used on line 1"},
           Case{"# nothing\n\n", "no printer defined"},
       }) {
    EXPECT_FALSE(Read(c.text)) << c.text;
    EXPECT_EQ(error_, c.error) << c.text;
  }
}

}  // namespace
