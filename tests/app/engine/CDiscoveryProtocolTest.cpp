#include "CDiscoveryProtocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Field = CDiscoveryProtocol::InfoField;

TEST(DiscoveryProtocol, PrefixIsExactAndCaseSensitive) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"<ZQ><MAC><1>", true}, {L"<ZQ>", true},       {L"<zq><MAC><1>", false},
      {L" <ZQ><MAC>", false},  {L"<ZQ", false},       {L"", false},
      {L"<Zq><NAME>", false},  {L"<MAC><ZQ>", false},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(CDiscoveryProtocol::HasZqPrefix(text), expected) << std::string(text, text + wcslen(text));
}

TEST(DiscoveryProtocol, ValueIsRestAfterTagWithoutAngleBrackets) {
  struct Case {
    const wchar_t* answer;
    const wchar_t* tag;
    bool found;
    const wchar_t* value;
  };
  const Case cases[] = {
      {L"<ZQ><MAC><00-11-22-33-44-55>", L"<MAC>", true, L"00-11-22-33-44-55"},
      {L"<ZQ><NAME><OFFICE-1>", L"<NAME>", true, L"OFFICE-1"},
      {L"<ZQ><NAME>", L"<NAME>", true, L""},
      {L"<ZQ><MOD><>", L"<MOD>", true, L""},
      {L"<ZQ><NAME><a<b>c>>", L"<NAME>", true, L"abc"},
      {L"<ZQ><NAME> two words ", L"<NAME>", true, L" two words "},
      {L"<ZQ><name><x>", L"<NAME>", false, L""},
      {L"<ZQ><SNM><1>", L"<MAC>", false, L""},
      // A tag at position 0 does not count; a later one does.
      {L"<NAME>x", L"<NAME>", false, L""},
      {L"<NAME>x<NAME>y", L"<NAME>", true, L"y"},
      {L"<ZQ><GTW><1.2.3.4><GTW><5>", L"<GTW>", true, L"1.2.3.4GTW5"},
  };
  for (const Case& c : cases) {
    std::wstring value = L"unchanged";
    EXPECT_EQ(CDiscoveryProtocol::FindValue(c.answer, c.tag, value), c.found);
    if (c.found) {
      EXPECT_EQ(value, c.value);
    }
  }
}

TEST(DiscoveryProtocol, InfoTagsAreTestedInFixedOrder) {
  const std::tuple<const wchar_t*, Field, const wchar_t*> cases[] = {
      {L"<ZQ><NAME><P1>", Field::kName, L"P1"},
      {L"<ZQ><MOD><ZT-1>", Field::kModel, L"ZT-1"},
      {L"<ZQ><SNM><255.255.0.0>", Field::kSubnetMask, L"255.255.0.0"},
      {L"<ZQ><GTW><10.77.0.1>", Field::kGateway, L"10.77.0.1"},
      {L"<ZQ><DHCP><ON>", Field::kDhcp, L"ON"},
      // Name wins over model wherever they stand.
      {L"<ZQ><MOD><M><NAME><N>", Field::kName, L"N"},
      {L"<ZQ><MAC><00>", Field::kNone, L""},
      {L"<ZQ><XYZ><1>", Field::kNone, L""},
  };
  for (const auto& [answer, field, value] : cases) {
    std::wstring got;
    EXPECT_EQ(CDiscoveryProtocol::FindInfoField(answer, got), field);
    if (field != Field::kNone) {
      EXPECT_EQ(got, value);
    }
  }
}
