#pragma once
// What set --from-csv will do with each row, worked out before anything is
// sent: the discovered printer the row names, the settings it gets (empty
// fields keep the current ones), the check's findings, and the reason when
// the row cannot be sent (no such printer, a check error, an address that
// another row gives too).
#include "CPrinterSettings.h"
#include "CSettingsFinding.h"
#include "ProvisioningFile.h"
#include "_DeviceInfo.h"

#include <optional>
#include <string>
#include <vector>

class CSettingsCheck;

struct PlannedRow {
  ProvisioningRow row;
  std::optional<CPrinterSettings> current;  // none: the printer was not found
  std::wstring strDeviceMac;                // the MAC address as the printer reports it
  CPrinterSettings proposed;
  std::vector<CSettingsFinding> findings;
  std::wstring strCannot;  // why the row is not sent; empty: it is

  bool Sendable() const { return strCannot.empty(); }
  // Nothing to send: the printer has every value already (a DHCP setting
  // the row leaves out counts as had).
  bool Unchanged() const;
};

class ProvisioningPlan {
 public:
  // Network checks of this many rows run at once (each may wait seconds for
  // an ARP answer that never comes).
  static constexpr std::size_t kParallelChecks = 64;

  // bForce: rows whose check found an error are sent all the same.
  static std::vector<PlannedRow> Make(const std::vector<ProvisioningRow>& rows,
                                      const std::vector<_DeviceInfo>& devices,
                                      const CSettingsCheck& check, bool bForce);

  // "line 2, 02-51-4D-00-00-01: ip 10.77.16.1 → 10.77.50.1, ..." or the
  // reason it cannot, then the findings, one per line, indented.
  static std::string Describe(const PlannedRow& planned);
  // "ip 10.77.16.1 → 10.77.50.1, name "A" → "B"": the fields that change;
  // without old settings every new value.
  static std::string Changes(const std::optional<CPrinterSettings>& old,
                             const CPrinterSettings& fresh);
};
