// Reading printers from a configuration text.
#include <gtest/gtest.h>

#include <fstream>
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

TEST_F(ConfigReaderTest, ReadsFieldsQuotedValuesAndDefaults) {
  const auto printers = Read(
      "# office printers\n\n"
      "ip=10.77.1.1 mac=AA-BB name=\"Front desk\" model=Quillmark-Mini mask=255.255.255.0 "
      "gateway=10.77.1.254 dhcp=1   # trailing comment\n"
      "  ip=10.77.1.2\tname=\"\" dhcp=<odd>\r\n");
  ASSERT_TRUE(printers) << error_;
  ASSERT_EQ(printers->size(), 2u);
  const Printer& a = (*printers)[0];
  EXPECT_EQ(a.address.ToString() + "|" + a.mac + "|" + a.name + "|" + a.model + "|" +
                a.subnetMask + "|" + a.gateway + "|" + a.dhcp,
            "10.77.1.1|AA-BB|Front desk|Quillmark-Mini|255.255.255.0|10.77.1.254|1");
  // Left-out fields come from the generator's printer at the same position.
  const Printer& b = (*printers)[1];
  const Printer expected = generator_.Make(1);
  EXPECT_EQ(b.name + "|" + b.dhcp, "|<odd>");
  EXPECT_EQ(b.mac + "|" + b.model + "|" + b.subnetMask + "|" + b.gateway,
            expected.mac + "|" + expected.model + "|" + expected.subnetMask + "|" + expected.gateway);
}

TEST_F(ConfigReaderTest, ShippedExampleReads) {
  std::ifstream in(LUMORA_SOURCE_DIR "/tools/printer-sim/printers.example.conf");
  const auto printers = ConfigReader(generator_).Read(in, error_);
  ASSERT_TRUE(printers) << error_;
  EXPECT_EQ(printers->size(), 3u);
  EXPECT_EQ((*printers)[0].name, "Front desk");
}

TEST_F(ConfigReaderTest, FaultsNameTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"name=A\n", "line 1: 'ip' is missing"},
      {"ip=10.77.1.1\nip=10.77.1.300\n", "line 2: '10.77.1.300' is not an IPv4 address"},
      {"ip=10.77.1.1 colour=red\n", "line 1: unknown key 'colour'"},
      {"ip=10.77.1.1 name=a name=b\n", "line 1: 'name' given twice"},
      {"ip=10.77.1.1 name=\"open\n", "line 1: unterminated quoted value of 'name'"},
      {"ip=10.77.1.1 name=\"a\"b\n", "line 1: blank expected after the quoted value of 'name'"},
      {"ip=10.77.1.1 lonely\n", "line 1: expected KEY=VALUE at 'lonely'"},
      {"ip=10.77.1.1\n#\nip=10.77.1.1\n", "line 3: address 10.77.1.1 already used on line 1"},
      {"# nothing\n\n", "no printer defined"}};
  for (const auto& [text, error] : cases) {
    EXPECT_FALSE(Read(text)) << text;
    EXPECT_EQ(error_, error);
  }
}

}  // namespace
