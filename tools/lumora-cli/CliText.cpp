#include "CliText.h"

#include "DiscoveryReportText.h"

#include <corvane/CZqSocketComUdp.h>

#include <algorithm>
#include <cstdio>

namespace {

// Width in terminal columns: one per character (the texts are Latin-1).
size_t Width(const std::wstring& strText) {
  size_t n = 0;
  for (wchar_t c : strText) n += DiscoveryReportText::IsControl(c) ? 4 : 1;
  return n;
}

}  // namespace

std::string CliText::Display(const std::wstring& strText) { return DiscoveryReportText::Visible(strText); }

void CliText::DebugLine(const std::wstring& strLine) {
  const std::string text = Display(strLine) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

std::string CliText::TransportError(unsigned long dwCode) {
  const char* szMeaning = "";
  switch (dwCode) {
    case CZqSocketComUdp::kCreateFailed:
      szMeaning = " (a socket could not be created or bound: is the port in use?)";
      break;
    case CZqSocketComUdp::kMessageTooLong: szMeaning = " (message too long)"; break;
    case CZqSocketComUdp::kNotSentWhole: szMeaning = " (the datagram was not sent whole)"; break;
    case CZqSocketComUdp::kBroadcastFailed: szMeaning = " (broadcasting was not permitted)"; break;
    default: break;
  }
  return "transport error " + std::to_string(dwCode) + szMeaning;
}

std::string CliText::Table(const Row& header, const std::vector<Row>& rows) {
  std::vector<size_t> widths(header.size(), 0);
  auto measure = [&](const Row& row) {
    for (size_t i = 0; i < row.size() && i < widths.size(); ++i)
      widths[i] = std::max(widths[i], Width(row[i]));
  };
  measure(header);
  for (const Row& row : rows) measure(row);
  auto line = [&](const Row& row) {
    std::string text;
    for (size_t i = 0; i < widths.size(); ++i) {
      const std::wstring cell = i < row.size() ? row[i] : std::wstring();
      text += Display(cell);
      if (i + 1 < widths.size()) text += std::string(widths[i] - Width(cell) + 2, ' ');
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text + "\n";
  };
  std::string out = line(header);
  for (const Row& row : rows) out += line(row);
  return out;
}
