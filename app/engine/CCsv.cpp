#include "CCsv.h"

#include "EnginePlatform.h"

#include <algorithm>

namespace {

// Reads one record from text at pos; the parser's state between calls is
// the position and the line number.
class RecordReader {
 public:
  RecordReader(std::string_view text, std::size_t& pos, std::size_t& line)
      : m_Text(text), m_Pos(pos), m_Line(line) {}

  bool Read(CCsv::Record& record, std::string& error) {
    record.uLine = m_Line;
    for (;;) {
      std::string field;
      if (!ReadField(field, error)) return false;
      record.fields.push_back(std::move(field));
      if (m_Pos >= m_Text.size()) return true;
      const char c = m_Text[m_Pos++];
      if (c == ',') continue;
      EndLine(c);
      return true;
    }
  }

 private:
  // After a CR or LF: a CR LF pair counts once.
  void EndLine(char c) {
    if (c == '\r' && m_Pos < m_Text.size() && m_Text[m_Pos] == '\n') ++m_Pos;
    ++m_Line;
  }

  bool ReadField(std::string& field, std::string& error) {
    if (m_Pos < m_Text.size() && m_Text[m_Pos] == '"') return ReadQuoted(field, error);
    while (m_Pos < m_Text.size()) {
      const char c = m_Text[m_Pos];
      if (c == ',' || c == '\r' || c == '\n') break;
      if (c == '"') {
        error = "line " + std::to_string(m_Line) + ": a quote inside an unquoted field";
        return false;
      }
      field.push_back(c);
      ++m_Pos;
    }
    return true;
  }

  bool ReadQuoted(std::string& field, std::string& error) {
    const std::size_t uStart = m_Line;
    ++m_Pos;
    while (m_Pos < m_Text.size()) {
      const char c = m_Text[m_Pos++];
      if (c != '"') {
        if (c == '\n' || (c == '\r' && (m_Pos >= m_Text.size() || m_Text[m_Pos] != '\n')))
          ++m_Line;
        field.push_back(c);
        continue;
      }
      if (m_Pos < m_Text.size() && m_Text[m_Pos] == '"') {
        field.push_back('"');
        ++m_Pos;
        continue;
      }
      if (m_Pos < m_Text.size() && m_Text[m_Pos] != ',' && m_Text[m_Pos] != '\r' &&
          m_Text[m_Pos] != '\n') {
        error = "line " + std::to_string(m_Line) + ": text after the closing quote of a field";
        return false;
      }
      return true;
    }
    error = "line " + std::to_string(uStart) + ": a quoted field is never closed";
    return false;
  }

  std::string_view m_Text;
  std::size_t& m_Pos;
  std::size_t& m_Line;
};

// The first line holding a zero byte or invalid UTF-8; 0 when all is text.
std::size_t FirstLineNotText(std::string_view text) {
  std::size_t line = 1, start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view part = text.substr(start, end - start);
    if (part.find('\0') != std::string_view::npos || !EnginePlatform::IsUtf8(part)) return line;
    start = end + 1;
    ++line;
  }
  return 0;
}

}  // namespace

bool CCsv::Parse(std::string_view text, std::vector<Record>& records, std::string& error) {
  records.clear();
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (const std::size_t bad = FirstLineNotText(text); bad != 0) {
    error = "line " + std::to_string(bad) + ": not text (a zero byte or invalid UTF-8)";
    return false;
  }
  std::size_t pos = 0, line = 1;
  RecordReader reader(text, pos, line);
  while (pos < text.size()) {
    Record record;
    if (!reader.Read(record, error)) return false;
    const bool bBlank = record.fields.size() == 1 && record.fields[0].empty();
    if (!bBlank) records.push_back(std::move(record));
  }
  return true;
}

std::string CCsv::Field(std::string_view value) {
  if (value.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(value);
  std::string quoted = "\"";
  for (const char c : value) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  return quoted + "\"";
}

std::string CCsv::Line(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : ",") + Field(fields[i]);
  return line + "\r\n";
}
