#include "ProvisioningFile.h"

#include "CCsv.h"
#include "EnginePlatform.h"
#include "MacText.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::wstring CPrinterSettings::*ColumnMember(const std::string& name) {
  static const std::map<std::string, std::wstring CPrinterSettings::*> columns = {
      {"ip", &CPrinterSettings::strIpAddress}, {"mask", &CPrinterSettings::strSubnetMask},
      {"gateway", &CPrinterSettings::strGateway}, {"name", &CPrinterSettings::strName},
      {"dhcp", &CPrinterSettings::strDhcp}};
  const auto it = columns.find(name);
  return it == columns.end() ? nullptr : it->second;
}

std::string At(std::size_t uLine) { return "line " + std::to_string(uLine) + ": "; }

// The column names of the header; false with a message.
bool ReadHeader(const CCsv::Record& header, std::vector<std::string>& columns, std::string& error) {
  for (const std::string& field : header.fields) {
    const std::string name = Lower(Trim(field));
    if (name != "mac" && ColumnMember(name) == nullptr) {
      error = At(header.uLine) + "unknown column '" + Trim(field) +
              "' (the columns are mac, ip, mask, gateway, name, dhcp)";
      return false;
    }
    if (std::find(columns.begin(), columns.end(), name) != columns.end()) {
      error = At(header.uLine) + "the column '" + name + "' is named twice";
      return false;
    }
    columns.push_back(name);
  }
  if (std::find(columns.begin(), columns.end(), "mac") == columns.end()) {
    error = At(header.uLine) + "the header has no column 'mac'";
    return false;
  }
  return true;
}

bool ReadRow(const CCsv::Record& record, const std::vector<std::string>& columns,
             ProvisioningRow& row, std::string& error) {
  if (record.fields.size() != columns.size()) {
    error = At(record.uLine) + std::to_string(record.fields.size()) + " fields, the header has " +
            std::to_string(columns.size());
    return false;
  }
  row.uLine = record.uLine;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::wstring strValue = EnginePlatform::Utf8ToWide(Trim(record.fields[i]));
    if (columns[i] == "mac")
      row.strMac = strValue;
    else
      row.values.*ColumnMember(columns[i]) = strValue;
  }
  std::wstring strDigits;
  if (!MacText::Parse(row.strMac, strDigits)) {
    error = At(row.uLine) + "'" + EnginePlatform::WideToUtf8(row.strMac) +
            "' is no MAC address (12 hex digits, e.g. 02:51:4D:00:00:01)";
    return false;
  }
  const std::wstring& dhcp = row.values.strDhcp;
  if (!dhcp.empty() && dhcp != L"1" && dhcp != L"0") {
    error = At(row.uLine) + "dhcp must be 1, 0 or empty, not '" +
            EnginePlatform::WideToUtf8(dhcp) + "'";
    return false;
  }
  return true;
}

}  // namespace

bool ProvisioningFile::Parse(std::string_view text, std::vector<ProvisioningRow>& rows,
                             std::string& error) {
  rows.clear();
  std::vector<CCsv::Record> records;
  if (!CCsv::Parse(text, records, error)) return false;
  std::vector<std::string> columns;
  if (records.empty()) {
    error = "the file is empty: it needs a header line such as mac,ip,mask,gateway,name,dhcp";
    return false;
  }
  if (!ReadHeader(records.front(), columns, error)) return false;
  std::map<std::wstring, std::size_t> lineOfMac;
  for (std::size_t i = 1; i < records.size(); ++i) {
    ProvisioningRow row;
    if (!ReadRow(records[i], columns, row, error)) return false;
    const auto [it, bNew] = lineOfMac.emplace(MacText::Digits(row.strMac), row.uLine);
    if (!bNew) {
      error = At(row.uLine) + "the MAC address " + EnginePlatform::WideToUtf8(row.strMac) +
              " is already on line " + std::to_string(it->second);
      return false;
    }
    rows.push_back(std::move(row));
  }
  if (rows.empty()) {
    error = "the file names no printer: only a header line";
    return false;
  }
  return true;
}

bool ProvisioningFile::Read(const std::filesystem::path& path, std::vector<ProvisioningRow>& rows,
                            std::string& error) {
  std::error_code ec;
  const bool bRegular = std::filesystem::is_regular_file(path, ec);
  const std::uintmax_t size = bRegular ? std::filesystem::file_size(path, ec) : 0;
  std::ifstream file(path, std::ios::binary);
  if (!bRegular || ec || !file) {
    error = path.string() + ": cannot read the file";
    return false;
  }
  if (size > kMaxSize) {
    error = path.string() + ": too large for a list of printers (" + std::to_string(size) +
            " bytes)";
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (Parse(text.str(), rows, error)) return true;
  error = path.string() + ": " + error;
  return false;
}
