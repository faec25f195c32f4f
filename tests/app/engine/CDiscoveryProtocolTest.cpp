#include "CDiscoveryProtocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Field = CDiscoveryProtocol::InfoField;

TEST(DiscoveryProtocol, ValueIsRestAfterTagWithoutAngleBrackets) {
  struct Case {
    const wchar_t* answer;
    const wchar_t* tag;
    bool found;
    const wchar_t* value;
  };
  const Case cases[] = {
      {L"<ZQ><MAC><00-11-22-33-44-55>", L"<MAC>", true, L"00-11-22-33-44-55"},
      {L"<ZQ><NAME>", L"<NAME>", true, L""},
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

