#include "platform/RegistryErrorHook.h"

#include <corvane/RegistryErrorReport.h>

#include <cstdio>

#include "codec/WireText.h"
#include <mutex>

namespace corvane {
namespace {

std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}

RegistryErrorHook& CurrentHook() {
  static RegistryErrorHook hook;
  return hook;
}

void WriteToStandardError(const std::wstring& strCaption, const std::wstring& strText) {
  const std::string line = detail::ToUtf8(strCaption + L": " + strText + L"\n");
  std::fputs(line.c_str(), stderr);
}

}  // namespace

RegistryErrorHook SetRegistryErrorHook(RegistryErrorHook hook) {
  std::lock_guard lock(HookMutex());
  std::swap(CurrentHook(), hook);
  return hook;
}

namespace detail {

void ReportRegistryError(void* pOwner, const std::wstring& strCaption, const std::wstring& strText) {
  RegistryErrorHook hook;
  {
    std::lock_guard lock(HookMutex());
    hook = CurrentHook();
  }
  // Called outside the lock: a hook may block (a modal box) or replace itself.
  if (hook) {
    hook(pOwner, strCaption, strText);
  } else {
    WriteToStandardError(strCaption, strText);
  }
}

}  // namespace detail
}  // namespace corvane
