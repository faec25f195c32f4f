#pragma once
// The configuration dialog: new IP address, subnet mask, gateway, DHCP flag
// and printer name for one printer, checked before the dialog closes with OK.
// Once its own checks pass, the settings are judged against the network and
// the list of printers when the window hands it a check: the findings show
// as a short list above OK; with an error OK asks "Send anyway?" (No by
// default), with warnings only the next OK with the same settings sends.
#include "CPrinterSettings.h"
#include "CSettingsFinding.h"
#include "CTemplateDialog.h"

#include <corvane/CorvaneTypes.h>

#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CButtonST;
class CIPAddressCtrl;
class QLabel;

class CZqIPCfgDlg : public CTemplateDialog {
  Q_OBJECT

 public:
  enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDC_IP_ADDRESS = 1030,
    IDC_SUBNET_MASK = 1032,
    IDC_GATEWAY = 1035,
    IDC_PRINTER_NAME = 1036,
    IDC_DHCP = 1041,
  };
  static constexpr int kMaxNameLength = 16;

  // Judges the settings entered; may take a few seconds (it asks the network).
  using SettingsCheck = std::function<std::vector<CSettingsFinding>(const CPrinterSettings&)>;

  explicit CZqIPCfgDlg(QWidget* pParent);

  // Without a check OK closes as soon as the dialog's own checks pass.
  void SetSettingsCheck(SettingsCheck check) { m_Check = std::move(check); }
  // The list of findings above OK; hidden while there is none.
  QLabel* FindingsLabel() const { return m_pFindings; }

  void SetIpAddress(const std::wstring& strText) { m_strIpAddress = strText; }
  void SetSubnetMask(const std::wstring& strText) { m_strSubnetMask = strText; }
  void SetPrinterName(const std::wstring& strText) { m_strPrinterName = strText; }
  void SetGateway(const std::wstring& strText) { m_strGateway = strText; }
  // "1" and "0" are understood (DHCP on, off); any other text leaves the
  // setting unknown and its check box disabled.
  void SetDhcp(const std::wstring& strText);
  std::wstring GetIpAddress() const { return m_strIpAddress; }
  std::wstring GetSubnetMask() const { return m_strSubnetMask; }
  std::wstring GetPrinterName() const { return m_strPrinterName; }
  std::wstring GetGateway() const { return m_strGateway; }
  std::wstring GetDhcp() const { return m_strDhcp; }
  bool IsDhcpKnown() const { return m_bDhcpKnown != 0; }

  // Fills the controls; DoModal calls it before the dialog shows.
  BOOL OnInitDialog();
  int DoModal();
  void OnDhcpClicked();
  // Closes with OK when every address is complete and the name not empty;
  // otherwise says what is wrong and stays open.
  void OnOK();

  CIPAddressCtrl* AddressControl(int nId) const;

 protected:
  QWidget* CreateControl(const ControlSpec& spec) override;
  void accept() override { OnOK(); }

 private:
  void UpdateData(bool bSaveAndValidate);
  void RebuildDhcpText();
  void EnableAddresses(bool bEnable);
  // False (and the focus and message given) when the control is incomplete.
  bool CheckAddress(int nId);
  // After the dialog's own checks: true when the settings may be sent.
  bool ConfirmFindings();
  // Lines above OK; the buttons below move down to make room.
  void ShowFindingLines(const QStringList& lines);

  SettingsCheck m_Check;
  std::optional<CPrinterSettings> m_Checked;  // the settings m_Findings are for
  std::vector<CSettingsFinding> m_Findings;
  QLabel* m_pFindings = nullptr;
  int m_nFindingsHeight = 0;  // pixels the dialog grew for the list

  std::wstring m_strPrinterName;
  BOOL m_bDhcp = 0;
  std::wstring m_strSubnetMask;
  std::wstring m_strIpAddress;
  std::wstring m_strGateway;
  std::wstring m_strDhcp;
  BOOL m_bDhcpKnown = 0;
};
