#include "CCsv.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::vector<std::string>> Fields(const std::string& text) {
  std::vector<CCsv::Record> records;
  std::string error;
  EXPECT_TRUE(CCsv::Parse(text, records, error)) << error;
  std::vector<std::vector<std::string>> out;
  for (const auto& r : records) out.push_back(r.fields);
  return out;
}

}  // namespace

TEST(Csv, ReadsQuotedFieldsAndBothLineEnds) {
  using Rows = std::vector<std::vector<std::string>>;
  EXPECT_EQ(Fields("a,b\r\n1,2"), (Rows{{"a", "b"}, {"1", "2"}}));
  EXPECT_EQ(Fields("\xEF\xBB\xBF" "a,,\n\n\"x, y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\n"),
            (Rows{{"a", "", ""}, {"x, y", "say \"hi\"", "two\r\nlines"}}));
  EXPECT_EQ(Fields("h\n,2\n"), (Rows{{"h"}, {"", "2"}}));  // an empty first field is no blank line
  std::vector<CCsv::Record> records;
  std::string error;
  ASSERT_TRUE(CCsv::Parse("h\n\"a\nb\"\nc\n", records, error));
  EXPECT_EQ(records[2].uLine, 4u);  // a record after a quoted line break
}

TEST(Csv, FaultsNameTheirLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\n\"open,\n\n", "line 2: a quoted field is never closed"},
      {"a\nb\"c\n", "line 2: a quote inside an unquoted field"},
      {"a\n\"b\"c\n", "line 2: text after the closing quote of a field"},
      {std::string("a\nb\nc\0d\n", 8), "line 3: not text (a zero byte or invalid UTF-8)"},
      {"a\n\xFF\xFE\n", "line 2: not text (a zero byte or invalid UTF-8)"}};
  for (const auto& [text, message] : cases) {
    std::vector<CCsv::Record> records;
    std::string error;
    EXPECT_FALSE(CCsv::Parse(text, records, error));
    EXPECT_EQ(error, message);
  }
}

TEST(Csv, WritesQuotesOnlyWhereNeeded) {
  EXPECT_EQ(CCsv::Line({"plain", "a,b", "say \"hi\"", "two\nlines", ""}),
            "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\r\n");
}
