#include "CInterfaceChoice.h"

#include "CommaList.h"

#include <algorithm>
#include <cwctype>

namespace {

bool IsAll(const std::wstring& strName) {
  std::wstring lower = strName;
  for (wchar_t& wc : lower) wc = static_cast<wchar_t>(std::towlower(wc));
  return lower == L"all";
}

}  // namespace

CInterfaceChoice::CInterfaceChoice(const std::wstring& strText) {
  for (const std::wstring& strName : CommaList::Split(strText)) {
    if (IsAll(strName)) m_Mode = Mode::kAll;
    if (std::find(m_Names.begin(), m_Names.end(), strName) == m_Names.end())
      m_Names.push_back(strName);
  }
  if (m_Mode == Mode::kAll) m_Names.clear();  // "all" covers every name
  else if (!m_Names.empty()) m_Mode = Mode::kNamed;
}

bool CInterfaceChoice::Chosen(const std::wstring& strName) const {
  return m_Mode == Mode::kAll ||
         std::find(m_Names.begin(), m_Names.end(), strName) != m_Names.end();
}

std::vector<CInterfaceChoice::Entry> CInterfaceChoice::Resolve(
    const std::vector<Entry>& machine, std::vector<std::wstring>& problems) const {
  std::vector<Entry> chosen;
  if (m_Mode == Mode::kDefault) return chosen;
  for (const Entry& entry : machine) {
    if (!Chosen(entry.strName) || !CCNetInterfaces::CanBroadcast(entry)) continue;
    // Two addresses of one subnet on one interface: one broadcast is enough.
    const bool bSeen = std::any_of(chosen.begin(), chosen.end(), [&](const Entry& e) {
      return e.dwIndex == entry.dwIndex && e.dwBroadcast == entry.dwBroadcast;
    });
    if (!bSeen) chosen.push_back(entry);
  }
  for (const std::wstring& strName : m_Names) {
    const auto named = [&](const Entry& e) { return e.strName == strName; };
    if (std::any_of(chosen.begin(), chosen.end(), named)) continue;
    problems.push_back(std::none_of(machine.begin(), machine.end(), named)
                           ? L"no IPv4 interface named '" + strName + L"'"
                           : L"'" + strName +
                                 L"' cannot broadcast (down, loopback, point-to-point or a /31)");
  }
  if (chosen.empty() && m_Mode == Mode::kAll) problems.push_back(L"no interface can broadcast");
  return chosen;
}
