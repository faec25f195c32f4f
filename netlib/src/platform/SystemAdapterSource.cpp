#include "adapters/AdapterSource.h"

namespace corvane::detail {
namespace {
class SystemAdapterSource final : public AdapterSource {
 public:
  DWORD CountAdapters(DWORD& dwCount) override { dwCount = 0; return kSourceNoData; }
  DWORD ListAdapters(AdapterList&) override { return kSourceNoData; }
  bool HostNameAddress(std::string&) override { return false; }
};
}  // namespace

std::unique_ptr<AdapterSource> MakeSystemAdapterSource() {
  return std::make_unique<SystemAdapterSource>();
}
}  // namespace corvane::detail
