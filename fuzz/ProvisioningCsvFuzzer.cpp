// Fuzzes the file of set --from-csv: the CSV reader and the rows read from
// it. Whatever is accepted must be well formed (a row per printer, each
// with a MAC address, dhcp 1, 0 or empty), and the fields of every record
// must come back unchanged through the CSV writer.
#include <string>
#include <vector>

#include "CCsv.h"
#include "FuzzInput.h"
#include "ProvisioningFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  const std::string text(reinterpret_cast<const char*>(pData), uiSize);

  std::vector<ProvisioningRow> rows;
  std::string error;
  if (ProvisioningFile::Parse(text, rows, error)) {
    Require(!rows.empty());
    for (const ProvisioningRow& row : rows) {
      const std::wstring& dhcp = row.values.strDhcp;
      Require(!row.strMac.empty() && row.uLine > 1);
      Require(dhcp.empty() || dhcp == L"1" || dhcp == L"0");
    }
  } else {
    Require(!error.empty());
  }

  std::vector<CCsv::Record> records;
  if (!CCsv::Parse(text, records, error)) return 0;
  // A byte order mark goes first, as reading skips one at the very start
  // (else a first field that starts with one would lose it).
  std::string written = "\xEF\xBB\xBF";
  for (const CCsv::Record& record : records) written += CCsv::Line(record.fields);
  std::vector<CCsv::Record> again;
  Require(CCsv::Parse(written, again, error));
  // Blank lines are left out on reading, so a record of one empty field
  // does not come back; every other record does, field for field.
  std::size_t j = 0;
  for (const CCsv::Record& record : records) {
    if (record.fields.size() == 1 && record.fields[0].empty()) continue;
    Require(j < again.size() && again[j++].fields == record.fields);
  }
  return 0;
}
