#include "CHostList.h"

#include <corvane/CCorvaneFunctions.h>

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> Texts(const std::vector<DWORD>& addresses) {
  std::vector<std::wstring> texts;
  for (DWORD a : addresses) texts.push_back(CCorvaneFunctions().dwordToStrIp(a));
  return texts;
}

}  // namespace

TEST(CHostList, AddressesBlocksAndRanges) {
  struct Case {
    const wchar_t* hosts;
    size_t count;
    const wchar_t* first;
    const wchar_t* last;
  };
  const Case cases[] = {
      {L"10.20.0.5", 1, L"10.20.0.5", L"10.20.0.5"},
      {L"10.20.0.0/28", 14, L"10.20.0.1", L"10.20.0.14"},  // no network or broadcast address
      {L"10.20.0.4/30", 2, L"10.20.0.5", L"10.20.0.6"},  // the smallest block with both left out
      {L"10.20.0.6/31", 2, L"10.20.0.6", L"10.20.0.7"},
      {L"10.20.0.250-10.20.1.4", 11, L"10.20.0.250", L"10.20.1.4"},
      {L" 10.20.0.5 , 10.20.0.4-10.20.0.6,10.20.0.5 ", 3, L"10.20.0.5", L"10.20.0.6"},
      {L"10.20.0.0/20", 4094, L"10.20.0.1", L"10.20.15.254"},
      {L"", 0, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    std::vector<DWORD> addresses;
    std::wstring error;
    ASSERT_TRUE(CHostList::Parse(c.hosts, addresses, error)) << std::string(error.begin(), error.end());
    ASSERT_EQ(addresses.size(), c.count);
    if (c.count == 0) continue;
    const auto texts = Texts(addresses);
    EXPECT_EQ(texts.front(), c.first);
    EXPECT_EQ(texts.back(), c.last);
  }
}

TEST(CHostList, BadInputIsNamedInTheMessage) {
  struct Case {
    const wchar_t* hosts;
    const wchar_t* message;
  };
  const Case cases[] = {
      {L"10.20.0.300", L"'10.20.0.300' is not an IPv4 address"},
      {L"10.20.0", L"'10.20.0' is not"},
      {L"10.20.0.1.2", L"'10.20.0.1.2' is not"},
      {L"10.20.0.0/33", L"not a CIDR block"},
      {L"10.20.0.9-10.20.0.5", L"ends before it starts"},
      {L"10.20.0.1-x", L"not a range"},
      {L"10.20.0.0/19", L"holds 8190 addresses; at most 4096"},
      {L"10.20.0.0/21,10.30.0.0/21,10.40.0.1-10.40.0.5", L"more than 4096 addresses"},
      {L"224.0.0.1", L"no printer address"},
      {L"255.255.255.250-255.255.255.255", L"includes 255.255.255.255"},
  };
  for (const Case& c : cases) {
    std::vector<DWORD> addresses;
    std::wstring error;
    EXPECT_FALSE(CHostList::Parse(c.hosts, addresses, error)) << std::string(c.hosts, c.hosts + wcslen(c.hosts));
    EXPECT_NE(error.find(c.message), std::wstring::npos) << std::string(error.begin(), error.end());
  }
}
