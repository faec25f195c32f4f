#pragma once
// Text output of lumora-cli: UTF-8, with control characters from the network
// made visible, and aligned tables.
#include <string>
#include <vector>

class CliText {
 public:
  using Row = std::vector<std::wstring>;

  // UTF-8 of the text with control characters written as \xNN, so that what
  // a printer answered cannot move the terminal's cursor.
  static std::string Display(const std::wstring& strText);
  // Writes the debug-console line, made safe, to standard error at once.
  static void DebugLine(const std::wstring& strLine);
  // "transport error N (what it means)" for a result code of the UDP transport.
  static std::string TransportError(unsigned long dwCode);
  // Columns padded to their widest cell, two blanks apart, header first.
  static std::string Table(const Row& header, const std::vector<Row>& rows);
};
