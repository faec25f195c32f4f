#pragma once
// The table of discovered printers, in order of discovery, and the
// operations that file the printers' answers into it. Every record has one
// row in the owner's device list: record i is row i + 1.
#include "_DeviceInfo.h"

#include <corvane/CorvaneTypes.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class IDiscoveryOwner;

class CDeviceTable {
 public:
  // Texts of fields nothing has been told about yet.
  static constexpr const wchar_t* kNoName = L"-*-*-";
  static constexpr const wchar_t* kNoModel = L"-|-|-";
  static constexpr const wchar_t* kNoSubnetMask = L"!*!*!";
  static constexpr const wchar_t* kNoMacAddress = L"xx xx xx xx";
  static constexpr const wchar_t* kNoGateway = L"nn nn nn nn";

  // Most records one run keeps. Anybody on the segment can answer, from ever
  // new MAC and sender addresses, and each record may hold six answered texts
  // of up to 1 KiB: without a bound a flood of forged answers would make the
  // table grow until memory runs out. Real printer networks have hundreds of
  // printers, a few thousand at most, so the bound is far above any of them.
  static constexpr DWORD kMaxDevices = 32768;
  // Console and log line written once per run when a printer is turned away.
  static std::wstring TableFullLine();

  explicit CDeviceTable(IDiscoveryOwner& owner);
  CDeviceTable(const CDeviceTable&) = delete;
  CDeviceTable& operator=(const CDeviceTable&) = delete;

  // A new MAC appends a record and inserts its row (the insertion's result);
  // a MAC already in the table changes nothing and gives 1. Operations that
  // would append a record to a full table (kMaxDevices) change nothing and
  // give 0.
  BOOL AddDeviceByMac(const std::wstring& strName, const std::wstring& strModel,
                      const std::wstring& strIpAddress, const std::wstring& strSubnetMask,
                      const std::wstring& strMacAddress);

  // File one answered field into the first record with the sender's address
  // (and refresh its row, result 1), or append a record for that address.
  BOOL UpdateNameByIp(const std::wstring& strValue, const std::wstring& strIpAddress);
  BOOL UpdateModelByIp(const std::wstring& strValue, const std::wstring& strIpAddress);
  BOOL UpdateSubnetMaskByIp(const std::wstring& strValue, const std::wstring& strIpAddress);
  BOOL UpdateGatewayByIp(const std::wstring& strValue, const std::wstring& strIpAddress);
  BOOL UpdateDhcpByIp(const std::wstring& strValue, const std::wstring& strIpAddress);

  // The MAC address of a printer whose discovery answer was lost: set on the
  // record with this address while it has none and no record has this MAC
  // (row refreshed, 1); otherwise nothing changes (0).
  BOOL FillMacByIp(const std::wstring& strMacAddress, const std::wstring& strIpAddress);

  // Test data: refresh name, model and mask of the record with this address,
  // or append a record with all five values.
  BOOL UpdateOrAddDeviceByIp(const std::wstring& strName, const std::wstring& strModel,
                             const std::wstring& strIpAddress, const std::wstring& strSubnetMask,
                             const std::wstring& strMacAddress);

  // A printer reconfigured by the operator: new name and addresses for record
  // dwIndex. The row is the caller's business. 0 when there is no such record.
  BOOL SetDeviceConfiguration(DWORD dwIndex, const std::wstring& strName,
                              const std::wstring& strIpAddress, const std::wstring& strSubnetMask,
                              const std::wstring& strGateway);

  DWORD GetDeviceCount() const { return static_cast<DWORD>(m_Records.size()); }
  // The record at dwIndex, or null beyond the table.
  const _DeviceInfo* GetDevice(DWORD dwIndex) const;
  // Frees every record.
  void Clear();

 private:
  enum class Field { kName, kModel, kSubnetMask, kGateway, kDhcp };

  BOOL UpdateFieldByIp(Field field, const std::wstring& strValue, const std::wstring& strIpAddress);
  static void SetField(_DeviceInfo& record, Field field, const std::wstring& strValue);
  static std::unique_ptr<_DeviceInfo> NewRecordFor(Field field, const std::wstring& strValue,
                                                   const std::wstring& strIpAddress);
  BOOL Append(std::unique_ptr<_DeviceInfo> pRecord);
  // True, after telling the owner once, when no record may be appended.
  bool IsFull();
  void RefreshRow(size_t index);
  _DeviceInfo* FindByIp(const std::wstring& strIpAddress, size_t& index);
  void RebuildIpIndex();

  IDiscoveryOwner& m_Owner;
  std::vector<std::unique_ptr<_DeviceInfo>> m_Records;
  // Lookups that stay fast with thousands of printers: MAC and address to
  // the position of the first record that has them.
  std::unordered_map<std::wstring, size_t> m_ByMac;
  std::unordered_map<std::wstring, size_t> m_ByIp;
  bool m_bFullReported = false;
};
