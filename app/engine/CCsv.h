#pragma once
// Comma-separated values as RFC 4180 has them: fields separated by commas,
// records by line ends (CR LF written; CR LF, LF or CR read); a field that
// holds a comma, a quote or a line end is quoted, its quotes doubled. Texts
// are UTF-8. Reading refuses what is not text (a zero byte, invalid UTF-8)
// and malformed quoting, naming the line.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CCsv {
 public:
  struct Record {
    std::size_t uLine = 0;  // the line the record starts on, from 1
    std::vector<std::string> fields;
  };

  // The records of the text, blank lines left out; a UTF-8 byte order mark
  // at the start is skipped. False with a message naming the line.
  static bool Parse(std::string_view text, std::vector<Record>& records, std::string& error);

  // The field as written: quoted when it holds a comma, a quote, CR or LF.
  static std::string Field(std::string_view value);
  // The fields joined by commas, ended by CR LF.
  static std::string Line(const std::vector<std::string>& fields);
};
