// CLumoraDlg: the device list's rows, the device table and its test rows.
#include "CDeviceListCtrl.h"
#include "CDeviceListModel.h"
#include "CLumoraDlg.h"
#include "LumoraStrings.h"
#include "LumoraText.h"

#include <cwchar>

namespace {
QString Q(const std::wstring& strText) { return QString::fromStdWString(strText); }

CDeviceListModel::Row MakeRow(DWORD dwImage, const std::wstring& strName, const std::wstring& strModel,
                              const std::wstring& strIp, const std::wstring& strMask,
                              const std::wstring& strMac) {
  return {dwImage, {Q(strName), Q(strModel), Q(strIp), Q(strMask), Q(strMac)}, {}};
}

std::wstring Format(const wchar_t* szFormat, int a, int b, int c, int d, int e = 0) {
  wchar_t szText[64];
  std::swprintf(szText, 64, szFormat, a, b, c, d, e);
  return szText;
}
}  // namespace

void CLumoraDlg::ResetDeviceList() {
  CDeviceListModel& model = m_pList->Model();
  model.Clear();
  model.AppendRow({0, {LumoraText(LumoraStrings::kFindPlaceholder)}, {}});
}

BOOL CLumoraDlg::InsertDeviceRow(DWORD dwImage, const std::wstring& strName, const std::wstring& strModel,
                                 const std::wstring& strIpAddress, const std::wstring& strSubnetMask,
                                 const std::wstring& strMacAddress) {
  CDeviceListModel::Row row = MakeRow(dwImage, strName, strModel, strIpAddress, strSubnetMask, strMacAddress);
  row.strWarning = OutsiderWarning(strIpAddress);
  m_pList->Model().AppendRow(std::move(row));
  return 1;
}

// The row is replaced in place, so it keeps its position and its selection.
// A row beyond the list is appended, as an insertion there would be.
void CLumoraDlg::UpdateDeviceRow(DWORD dwRow, DWORD dwImage, const std::wstring& strName,
                                 const std::wstring& strModel, const std::wstring& strIpAddress,
                                 const std::wstring& strSubnetMask, const std::wstring& strMacAddress) {
  CDeviceListModel::Row row = MakeRow(dwImage, strName, strModel, strIpAddress, strSubnetMask, strMacAddress);
  row.strWarning = OutsiderWarning(strIpAddress);
  CDeviceListModel& model = m_pList->Model();
  if (dwRow >= static_cast<DWORD>(model.rowCount()) || !model.ReplaceRow(static_cast<int>(dwRow), row))
    model.AppendRow(std::move(row));
}

BOOL CLumoraDlg::ClearDeviceTable() {
  m_Table.Clear();
  return 1;
}

const _DeviceInfo* CLumoraDlg::Record(int nIndex) const {
  return nIndex < 0 ? nullptr : m_Table.GetDevice(static_cast<DWORD>(nIndex));
}

bool CLumoraDlg::GetField(int nIndex, std::wstring _DeviceInfo::*pField, std::wstring& strOut) const {
  if (nIndex < 0) {
    strOut.clear();
    return false;
  }
  const _DeviceInfo* pRecord = Record(nIndex);
  if (pRecord == nullptr) return false;
  strOut = pRecord->*pField;
  return true;
}

bool CLumoraDlg::GetDeviceName(int nIndex, std::wstring& strOut) const {
  return GetField(nIndex, &_DeviceInfo::strName, strOut);
}
bool CLumoraDlg::GetDeviceModel(int nIndex, std::wstring& strOut) const {
  return GetField(nIndex, &_DeviceInfo::strModel, strOut);
}
bool CLumoraDlg::GetDeviceIpAddress(int nIndex, std::wstring& strOut) const {
  return GetField(nIndex, &_DeviceInfo::strIpAddress, strOut);
}
bool CLumoraDlg::GetDeviceSubnetMask(int nIndex, std::wstring& strOut) const {
  return GetField(nIndex, &_DeviceInfo::strSubnetMask, strOut);
}
bool CLumoraDlg::GetDeviceMacAddress(int nIndex, std::wstring& strOut) const {
  return GetField(nIndex, &_DeviceInfo::strMacAddress, strOut);
}
bool CLumoraDlg::GetDeviceGateway(int nIndex, std::wstring& strOut) const {
  return GetField(nIndex, &_DeviceInfo::strGateway, strOut);
}
bool CLumoraDlg::GetDeviceDhcp(int nIndex, std::wstring& strOut) const {
  return GetField(nIndex, &_DeviceInfo::strDhcp, strOut);
}

// Empties table and list at once, also during a run: the run goes on, and
// the printers that answer from then on are listed afresh. The worker's
// table operations run on this thread, so none is cut in two.
void CLumoraDlg::OnClearList() {
  ClearDeviceTable();
  ResetDeviceList();
  m_nSelectedDevice = -1;
}

void CLumoraDlg::OnAddItem() { AddTestRows(125, false); }

void CLumoraDlg::OnRefreshItem() { AddTestRows(255, true); }

// Three test devices built from two counters.
void CLumoraDlg::AddTestRows(int nFirstAddress, bool bRefresh) {
  int a = nFirstAddress;
  int b = 25;
  for (int k = 0; k < 3; ++k) {
    const std::wstring strIp = Format(L"%02i.%02i.%02i.%02i", a, a, a, a);
    const std::wstring strMac = Format(L"%02i %02i %02i %02i %02i", b, b, b, b, b);
    const std::wstring strMask = Format(L"%02i.%02i.%02i.%02i", a + 4, b + 2, a + 4, b + 2);
    if (bRefresh) {
      m_Table.UpdateOrAddDeviceByIp(Format(L"PrnName%i", k, 0, 0, 0), Format(L"PrnModel%i", k, 0, 0, 0),
                                    strIp, strMask, strMac);
    } else {
      m_Table.AddDeviceByMac(L"", L"", strIp, strMask, strMac);
    }
    a += 6;
    b += 4;
  }
}
