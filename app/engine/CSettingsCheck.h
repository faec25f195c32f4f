#pragma once
// Judges proposed settings for one printer before they are sent: values that
// would make the printer unusable (errors) and conflicts with the network
// and the list of printers (warnings). The network part asks an address
// probe whether the new address is taken, so it may take a few seconds;
// the rest is immediate. Const and without state of its own: one check may
// judge several printers on several threads when its probe allows that.
#include "CPrinterSettings.h"
#include "CSettingsFinding.h"
#include "_DeviceInfo.h"

#include <corvane/CCNetInterfaces.h>

#include <string>
#include <vector>

class IAddressProbe;

class CSettingsCheck {
 public:
  // The most characters a printer stores as its name.
  static constexpr std::size_t kMaxName = 16;

  // interfaces: this computer's; pProbe may be null (no network probe).
  CSettingsCheck(std::vector<CCNetInterfaces::Entry> interfaces, IAddressProbe* pProbe);

  // Findings for the printer strMac given the proposed settings; list holds
  // the printers known (the one changed among them, found by its MAC), for
  // its current address and for addresses other printers hold. Errors first.
  std::vector<CSettingsFinding> Judge(const CPrinterSettings& proposed, const std::wstring& strMac,
                                      const std::vector<_DeviceInfo>& list) const;

  // The values alone: address, mask, gateway and name.
  static std::vector<CSettingsFinding> JudgeValues(const CPrinterSettings& proposed);

  // True when any finding is an error.
  static bool HasError(const std::vector<CSettingsFinding>& findings);

 private:
  void JudgeNetwork(const CPrinterSettings& proposed, DWORD dwIp, DWORD dwMask,
                    std::vector<CSettingsFinding>& out) const;
  void JudgeInUse(DWORD dwIp, const std::wstring& strMac, std::vector<CSettingsFinding>& out) const;
  const CCNetInterfaces::Entry* OwnInterfaceIn(DWORD dwIp) const;

  std::vector<CCNetInterfaces::Entry> m_Interfaces;  // up, not loopback
  IAddressProbe* m_pProbe;
};
