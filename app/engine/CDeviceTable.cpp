#include "CDeviceTable.h"

#include "CLogFileManager.h"
#include "IDiscoveryOwner.h"

namespace {
std::wstring ValueOr(const std::wstring& strValue, const wchar_t* szPlaceholder) {
  return strValue.empty() ? std::wstring(szPlaceholder) : strValue;
}

DWORD ImageForModel(const std::wstring& strModel) { return strModel.empty() ? 5 : 1; }
}  // namespace

CDeviceTable::CDeviceTable(IDiscoveryOwner& owner) : m_Owner(owner) {}

BOOL CDeviceTable::AddDeviceByMac(const std::wstring& strName, const std::wstring& strModel,
                                  const std::wstring& strIpAddress,
                                  const std::wstring& strSubnetMask,
                                  const std::wstring& strMacAddress) {
  if (m_ByMac.count(strMacAddress) != 0) return 1;
  if (IsFull()) return 0;
  auto pRecord = std::make_unique<_DeviceInfo>();
  pRecord->dwImage = ImageForModel(strModel);
  pRecord->strName = ValueOr(strName, kNoName);
  pRecord->strModel = ValueOr(strModel, kNoModel);
  pRecord->strIpAddress = strIpAddress;
  pRecord->strSubnetMask = ValueOr(strSubnetMask, kNoSubnetMask);
  pRecord->strMacAddress = strMacAddress;
  return Append(std::move(pRecord));
}

BOOL CDeviceTable::UpdateNameByIp(const std::wstring& strValue, const std::wstring& strIpAddress) {
  return UpdateFieldByIp(Field::kName, strValue, strIpAddress);
}
BOOL CDeviceTable::UpdateModelByIp(const std::wstring& strValue, const std::wstring& strIpAddress) {
  return UpdateFieldByIp(Field::kModel, strValue, strIpAddress);
}
BOOL CDeviceTable::UpdateSubnetMaskByIp(const std::wstring& strValue,
                                        const std::wstring& strIpAddress) {
  return UpdateFieldByIp(Field::kSubnetMask, strValue, strIpAddress);
}
BOOL CDeviceTable::UpdateGatewayByIp(const std::wstring& strValue,
                                     const std::wstring& strIpAddress) {
  return UpdateFieldByIp(Field::kGateway, strValue, strIpAddress);
}
BOOL CDeviceTable::UpdateDhcpByIp(const std::wstring& strValue, const std::wstring& strIpAddress) {
  return UpdateFieldByIp(Field::kDhcp, strValue, strIpAddress);
}

BOOL CDeviceTable::UpdateOrAddDeviceByIp(const std::wstring& strName, const std::wstring& strModel,
                                         const std::wstring& strIpAddress,
                                         const std::wstring& strSubnetMask,
                                         const std::wstring& strMacAddress) {
  size_t index = 0;
  if (_DeviceInfo* pRecord = FindByIp(strIpAddress, index)) {
    SetField(*pRecord, Field::kName, strName);
    SetField(*pRecord, Field::kModel, strModel);
    SetField(*pRecord, Field::kSubnetMask, strSubnetMask);
    RefreshRow(index);
    return 1;
  }
  if (IsFull()) return 0;
  auto pRecord = std::make_unique<_DeviceInfo>();
  pRecord->strName = strName;
  pRecord->strModel = strModel;
  pRecord->strIpAddress = strIpAddress;
  pRecord->strSubnetMask = strSubnetMask;
  pRecord->strMacAddress = strMacAddress;
  pRecord->strGateway = kNoGateway;
  return Append(std::move(pRecord));
}

BOOL CDeviceTable::FillMacByIp(const std::wstring& strMacAddress,
                               const std::wstring& strIpAddress) {
  size_t index = 0;
  _DeviceInfo* pRecord = FindByIp(strIpAddress, index);
  if (pRecord == nullptr || pRecord->strMacAddress != kNoMacAddress ||
      m_ByMac.count(strMacAddress) != 0) {
    return 0;
  }
  pRecord->strMacAddress = strMacAddress;
  m_ByMac.try_emplace(strMacAddress, index);
  RefreshRow(index);
  return 1;
}

BOOL CDeviceTable::SetDeviceConfiguration(DWORD dwIndex, const std::wstring& strName,
                                          const std::wstring& strIpAddress,
                                          const std::wstring& strSubnetMask,
                                          const std::wstring& strGateway) {
  if (dwIndex >= m_Records.size()) return 0;
  _DeviceInfo& record = *m_Records[dwIndex];
  record.strName = strName;
  record.strIpAddress = strIpAddress;
  record.strSubnetMask = strSubnetMask;
  record.strGateway = strGateway;
  RebuildIpIndex();
  return 1;
}

const _DeviceInfo* CDeviceTable::GetDevice(DWORD dwIndex) const {
  return dwIndex < m_Records.size() ? m_Records[dwIndex].get() : nullptr;
}

void CDeviceTable::Clear() {
  m_Records.clear();
  m_ByMac.clear();
  m_ByIp.clear();
  m_bFullReported = false;
}

BOOL CDeviceTable::UpdateFieldByIp(Field field, const std::wstring& strValue,
                                   const std::wstring& strIpAddress) {
  size_t index = 0;
  if (_DeviceInfo* pRecord = FindByIp(strIpAddress, index)) {
    SetField(*pRecord, field, strValue);
    RefreshRow(index);
    return 1;
  }
  if (IsFull()) return 0;
  return Append(NewRecordFor(field, strValue, strIpAddress));
}

void CDeviceTable::SetField(_DeviceInfo& record, Field field, const std::wstring& strValue) {
  switch (field) {
    case Field::kName: record.strName = ValueOr(strValue, kNoName); break;
    case Field::kModel:
      record.strModel = ValueOr(strValue, kNoModel);
      record.dwImage = ImageForModel(strValue);
      break;
    case Field::kSubnetMask: record.strSubnetMask = ValueOr(strValue, kNoSubnetMask); break;
    case Field::kGateway: record.strGateway = ValueOr(strValue, kNoGateway); break;
    case Field::kDhcp: record.strDhcp = strValue; break;
  }
}

// A record for a printer first heard of through an information answer. It
// carries the sender's address whatever the field, so that the printer's
// other answers find it instead of piling up records of their own.
std::unique_ptr<_DeviceInfo> CDeviceTable::NewRecordFor(Field field, const std::wstring& strValue,
                                                        const std::wstring& strIpAddress) {
  auto pRecord = std::make_unique<_DeviceInfo>();
  pRecord->dwImage = 0;
  pRecord->strName = kNoName;
  pRecord->strModel = kNoModel;
  pRecord->strIpAddress = strIpAddress;
  pRecord->strMacAddress = kNoMacAddress;
  pRecord->strSubnetMask = kNoSubnetMask;
  pRecord->strGateway = kNoGateway;
  switch (field) {
    case Field::kName: pRecord->strName = strValue; break;
    case Field::kModel: pRecord->strModel = strValue; break;
    case Field::kSubnetMask: pRecord->strSubnetMask = strValue; break;
    case Field::kGateway: pRecord->strGateway = strValue; break;
    case Field::kDhcp: pRecord->strDhcp = strValue; break;
  }
  return pRecord;
}

BOOL CDeviceTable::Append(std::unique_ptr<_DeviceInfo> pRecord) {
  const size_t index = m_Records.size();
  m_ByMac.try_emplace(pRecord->strMacAddress, index);
  m_ByIp.try_emplace(pRecord->strIpAddress, index);
  m_Records.push_back(std::move(pRecord));
  const _DeviceInfo& record = *m_Records.back();
  return m_Owner.InsertDeviceRow(record.dwImage, record.strName, record.strModel,
                                 record.strIpAddress, record.strSubnetMask, record.strMacAddress);
}

std::wstring CDeviceTable::TableFullLine() {
  return L"Device table full (" + std::to_wstring(kMaxDevices) +
         L" printers): answers of further printers are ignored.";
}

bool CDeviceTable::IsFull() {
  if (m_Records.size() < kMaxDevices) return false;
  if (!m_bFullReported) {
    m_bFullReported = true;
    m_Owner.WriteDebugConsole(TableFullLine());
    m_Owner.GetLogFile().WriteTimedLine(TableFullLine());
  }
  return true;
}

void CDeviceTable::RefreshRow(size_t index) {
  const _DeviceInfo& record = *m_Records[index];
  m_Owner.UpdateDeviceRow(static_cast<DWORD>(index + 1), record.dwImage, record.strName,
                          record.strModel, record.strIpAddress, record.strSubnetMask,
                          record.strMacAddress);
}

_DeviceInfo* CDeviceTable::FindByIp(const std::wstring& strIpAddress, size_t& index) {
  auto it = m_ByIp.find(strIpAddress);
  if (it == m_ByIp.end()) return nullptr;
  index = it->second;
  return m_Records[index].get();
}

void CDeviceTable::RebuildIpIndex() {
  m_ByIp.clear();
  for (size_t i = 0; i < m_Records.size(); ++i) m_ByIp.try_emplace(m_Records[i]->strIpAddress, i);
}
