#pragma once
// Which interfaces the broadcasts of a run leave through, from its text form
// (the INI key szInterfaces, lumora-cli's --iface): empty for the single
// broadcast the program has always sent, "all" for every interface that can
// broadcast (loopback never), or interface names, comma-separated.
#include <corvane/CCNetInterfaces.h>

#include <string>
#include <vector>

class CInterfaceChoice {
 public:
  enum class Mode { kDefault, kAll, kNamed };
  using Entry = CCNetInterfaces::Entry;

  explicit CInterfaceChoice(const std::wstring& strText);

  Mode GetMode() const { return m_Mode; }
  const std::vector<std::wstring>& GetNames() const { return m_Names; }

  // The chosen entries among the machine's, one per interface and subnet
  // (its first address there), in the machine's order. Each name that names
  // no interface, or one that cannot broadcast, adds a line to problems; so
  // does a choice that leaves nothing.
  std::vector<Entry> Resolve(const std::vector<Entry>& machine,
                             std::vector<std::wstring>& problems) const;

 private:
  bool Chosen(const std::wstring& strName) const;

  Mode m_Mode = Mode::kDefault;
  std::vector<std::wstring> m_Names;
};
