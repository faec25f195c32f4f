#pragma once
// The file of set --from-csv: a header line naming the columns (mac, ip,
// mask, gateway, name, dhcp; mac required, the others optional, in any
// order, any case) and one row per printer. Everything wrong with the file
// itself is found here, before anything is sent: it is not text, a column
// is unknown, a row has the wrong number of fields, a MAC address is
// malformed or given twice, a DHCP value is not 1, 0 or empty.
#include "CPrinterSettings.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct ProvisioningRow {
  std::size_t uLine = 0;  // where the row starts in the file
  std::wstring strMac;    // as written
  // The row's values; an empty one keeps the printer's current value (for
  // dhcp: the command carries no DHCP setting).
  CPrinterSettings values;
};

class ProvisioningFile {
 public:
  // Larger files are refused unread: a thousand printers take some 100 KiB.
  static constexpr std::uintmax_t kMaxSize = 16 * 1024 * 1024;

  // False with a message naming the line.
  static bool Parse(std::string_view text, std::vector<ProvisioningRow>& rows, std::string& error);
  // Parse of the file's contents; the message starts with the file's name.
  static bool Read(const std::filesystem::path& path, std::vector<ProvisioningRow>& rows,
                   std::string& error);
};
