#pragma once
// A scripted adapter source: tests shape what the "system" reports and may
// change it between collections.
#include <memory>
#include <optional>

#include "adapters/AdapterSource.h"

namespace corvane::testing {

using detail::AdapterAddress;
using detail::AdapterList;
using detail::AdapterRecord;

struct AdapterScript {
  DWORD countResult = detail::kSourceOk;
  std::optional<DWORD> count;  // else the list size
  DWORD listResult = detail::kSourceOk;
  AdapterList list;
  bool hostResolves = true;
  std::string hostIp = "127.0.1.1";
};

class FakeAdapterSource final : public detail::AdapterSource {
 public:
  explicit FakeAdapterSource(std::shared_ptr<AdapterScript> script) : m_script(std::move(script)) {}
  DWORD CountAdapters(DWORD& dwCount) override {
    dwCount = m_script->count.value_or(static_cast<DWORD>(m_script->list.records.size()));
    return m_script->countResult;
  }
  DWORD ListAdapters(AdapterList& list) override {
    list = m_script->list;
    return m_script->listResult;
  }
  bool HostNameAddress(std::string& strIp) override {
    strIp = m_script->hostIp;
    return m_script->hostResolves;
  }

 private:
  std::shared_ptr<AdapterScript> m_script;
};

inline AdapterRecord Card(const std::string& name, std::vector<AdapterAddress> addresses) {
  AdapterRecord r;
  r.strName = name;
  r.hwAddress = {0x02, 0x00, 0x00, 0x00, 0x00, static_cast<BYTE>(name.size())};
  r.dwType = 6;
  r.addresses = std::move(addresses);
  r.strGateway = "10.0.0.1";
  return r;
}

}  // namespace corvane::testing
