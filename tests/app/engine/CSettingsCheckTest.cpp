#include "CSettingsCheck.h"
#include "IAddressProbe.h"

#include <gtest/gtest.h>

namespace {

struct ScriptedProbe : IAddressProbe {
  std::wstring NeighbourMac(const std::wstring& strIp) override {
    asked.push_back(L"arp " + strIp);
    return strHolder;
  }
  EEcho Echo(const std::wstring& strIp) override {
    asked.push_back(L"ping " + strIp);
    return eEcho;
  }
  std::wstring strHolder;
  EEcho eEcho = EEcho::kSilent;
  std::vector<std::wstring> asked;
};

const std::wstring kMac = L"02-51-4D-00-00-01";

CPrinterSettings Proposed(std::wstring ip, std::wstring mask = L"255.255.255.0",
                          std::wstring gateway = L"10.77.16.254", std::wstring name = L"Hall 1") {
  return {name, ip, mask, gateway, L""};
}

std::vector<_DeviceInfo> List() {
  _DeviceInfo self, other;
  self.strMacAddress = kMac;
  self.strIpAddress = L"10.77.16.1";
  other.strName = L"Lumen Desk 0002";
  other.strMacAddress = L"02-51-4D-00-00-02";
  other.strIpAddress = L"10.77.16.2";
  return {self, other};
}

// This computer: 10.77.0.2/16 on eth0, and loopback.
std::vector<CCNetInterfaces::Entry> Machine() {
  auto eth0 = CCNetInterfaces::MakeEntry(L"eth0", 2, 0x0A4D0002, 0xFFFF0000);
  auto lo = CCNetInterfaces::MakeEntry(L"lo", 1, 0x7F000001, 0xFF000000);
  eth0.bUp = lo.bUp = lo.bLoopback = 1;
  return {eth0, lo};
}

std::vector<std::wstring> Texts(const std::vector<CSettingsFinding>& findings, bool bErrors) {
  std::vector<std::wstring> texts;
  for (const auto& f : findings)
    if (f.IsError() == bErrors) texts.push_back(f.strText);
  return texts;
}

}  // namespace

TEST(SettingsCheck, ValueErrors) {
  const std::pair<CPrinterSettings, const wchar_t*> cases[] = {
      {Proposed(L"10.77.16.300"), L"The IP address \"10.77.16.300\" is not a valid dotted address (four numbers 0 to 255)."},
      {Proposed(L"10.77.016.5"), L"The IP address \"10.77.016.5\" is not a valid dotted address (four numbers 0 to 255)."},
      {Proposed(L"10.77.16.5", L"255.255.255"), L"The subnet mask \"255.255.255\" is not a valid dotted address (four numbers 0 to 255)."},
      {Proposed(L"10.77.16.5", L"255.255.255.0", L"gw"), L"The gateway \"gw\" is not a valid dotted address (four numbers 0 to 255)."},
      {Proposed(L"10.77.16.5", L"255.0.255.0"), L"The subnet mask 255.0.255.0 is not contiguous: its one-bits must all come first (like 255.255.255.0)."},
      {Proposed(L"10.77.16.5", L"0.0.0.0"), L"The subnet mask 0.0.0.0 leaves no network part."},
      {Proposed(L"10.77.16.5", L"255.255.255.254"), L"The subnet mask 255.255.255.254 leaves no room for a host besides the network and broadcast address."},
      {Proposed(L"10.77.16.0"), L"10.77.16.0 is the network address of the subnet 10.77.16.0/24; a printer cannot have it."},
      {Proposed(L"10.77.16.255"), L"10.77.16.255 is the broadcast address of the subnet 10.77.16.0/24; a printer cannot have it."},
      {Proposed(L"0.1.2.3", L"255.255.255.0", L"0.0.0.0"), L"0.1.2.3 lies in 0.0.0.0/8, which no device may use."},
      {Proposed(L"127.0.0.5", L"255.0.0.0", L"0.0.0.0"), L"127.0.0.5 is a loopback address (127.0.0.0/8)."},
      {Proposed(L"224.1.2.3", L"255.0.0.0", L"0.0.0.0"), L"224.1.2.3 is a multicast address (224.0.0.0/4)."},
      {Proposed(L"240.1.2.3", L"255.0.0.0", L"0.0.0.0"), L"240.1.2.3 lies in reserved space (240.0.0.0/4)."},
      {Proposed(L"10.77.16.5", L"255.255.255.0", L"10.77.17.1"), L"The gateway 10.77.17.1 lies outside the new subnet 10.77.16.0/24; the printer could not reach it."},
      {Proposed(L"10.77.16.5", L"255.255.255.0", L"10.77.16.1", L"Seventeen chars.."), L"The name \"Seventeen chars..\" has 17 characters; the printer stores at most 16."},
      {Proposed(L"10.77.16.5", L"255.255.255.0", L"10.77.16.1", L"Caf\u00e9 \u20ac"), L"The name holds \"\u20ac\", which the printer cannot store (it stores single-byte characters, up to U+00FF)."},
      {Proposed(L"10.77.16.5", L"255.255.255.0", L"10.77.16.1", L"a\x7F"), L"The name holds a control character, which the printer cannot store."},
      {Proposed(L"10.77.16.5", L"255.255.255.0", L"10.77.16.1", L"a<b"), L"The name holds '<' or '>', which would cut it short in the command."},
      {Proposed(L"10.77.16.5", L"255.255.255.0", L"10.77.16.1", L""), L"The printer name is empty."},
  };
  for (const auto& [proposed, text] : cases)
    EXPECT_EQ(Texts(CSettingsCheck::JudgeValues(proposed), true), std::vector<std::wstring>{text})
        << text;
  // Sixteen characters fit.
  EXPECT_TRUE(CSettingsCheck::JudgeValues(Proposed(L"10.77.16.5", L"255.255.255.0", L"10.77.16.1", L"Sixteen chars...")).empty());
  // A gateway of 0.0.0.0 is none; a link-local address is only a warning.
  EXPECT_TRUE(CSettingsCheck::JudgeValues(Proposed(L"10.77.16.5", L"255.255.255.0", L"0.0.0.0")).empty());
  const auto linkLocal = CSettingsCheck::JudgeValues(Proposed(L"169.254.3.4", L"255.255.0.0", L"0.0.0.0"));
  ASSERT_EQ(linkLocal.size(), 1u);
  EXPECT_FALSE(linkLocal[0].IsError());
}

TEST(SettingsCheck, NetworkWarnings) {
  using enum IAddressProbe::EEcho;
  struct Case {
    const char* what;
    CPrinterSettings proposed;
    std::wstring strHolder;  // whose MAC answers ARP
    IAddressProbe::EEcho eEcho;
    std::vector<std::wstring> warnings;
    std::vector<std::wstring> asked;
  };
  // In this computer's subnet 10.77.0.0/16.
  auto onLink = [](const wchar_t* ip) { return Proposed(ip, L"255.255.0.0", L"10.77.0.1"); };
  CPrinterSettings dhcp = onLink(L"10.77.16.9");
  dhcp.strDhcp = L"1";
  const Case cases[] = {
      {"free on-link address", onLink(L"10.77.16.9"), L"", kSilent, {}, {L"arp 10.77.16.9"}},
      {"taken on-link", onLink(L"10.77.16.9"), L"02-4C-00-00-01-01", kSilent,
       {L"10.77.16.9 is already in use: the device with the MAC address 02-4C-00-00-01-01 answers for it."},
       {L"arp 10.77.16.9"}},
      {"the printer itself answers ARP", onLink(L"10.77.16.9"), L"02:51:4d:00:00:01", kSilent, {},
       {L"arp 10.77.16.9"}},
      {"address unchanged: no probe", onLink(L"10.77.16.1"), L"x", kSilent, {}, {}},
      {"another printer's address", onLink(L"10.77.16.2"), L"", kSilent,
       {L"10.77.16.2 is already held by the printer \"Lumen Desk 0002\" (02-51-4D-00-00-02) in the list."},
       {L"arp 10.77.16.2"}},
      {"this computer's address", onLink(L"10.77.0.2"), L"", kSilent,
       {L"10.77.0.2 is this computer's own address (eth0)."}, {}},
      {"off-link, answers ping", Proposed(L"10.99.1.1", L"255.255.0.0", L"10.99.0.1"), L"", kAnswered,
       {L"This computer has no interface in the subnet 10.99.0.0/16: it will not reach the printer at 10.99.1.1 afterwards without a route.",
        L"10.99.1.1 is already in use: a device there answers ping."},
       {L"ping 10.99.1.1"}},
      {"this computer outside the new subnet", Proposed(L"10.77.40.7", L"255.255.255.0", L"10.77.40.1"),
       L"", kSilent,
       {L"This computer's address 10.77.0.2 (eth0) lies outside the printer's new subnet 10.77.40.0/24: the printer will answer it only through its gateway."},
       {L"arp 10.77.40.7"}},
      {"DHCP on with an address", dhcp, L"", kSilent,
       {L"DHCP is on: the printer takes its address from a DHCP server and will ignore 10.77.16.9."},
       {L"arp 10.77.16.9"}},
      {"errors: the network is not asked", Proposed(L"10.77.16.9", L"255.0.255.0"), L"x", kAnswered, {}, {}},
  };
  for (const Case& c : cases) {
    ScriptedProbe probe;
    probe.strHolder = c.strHolder;
    probe.eEcho = c.eEcho;
    const auto findings = CSettingsCheck(Machine(), &probe).Judge(c.proposed, kMac, List());
    EXPECT_EQ(Texts(findings, false), c.warnings) << c.what;
    EXPECT_EQ(probe.asked, c.asked) << c.what;
  }
}
