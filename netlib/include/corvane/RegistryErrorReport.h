#pragma once
// Where corvane reports a registry value it could not read (the printer
// link's protocol and port look-ups). The library has no windows: it hands
// the caption and text of its error box to a process-wide hook. A program
// with a user interface installs a hook that shows a modal box with an error
// icon, owned by pOwner (the window the reading object was given, may be
// null); the default hook writes "caption: text" to standard error.
#include <corvane/corvane_export.h>

#include <functional>
#include <string>

namespace corvane {

using RegistryErrorHook =
    std::function<void(void* pOwner, const std::wstring& strCaption, const std::wstring& strText)>;

// Installs a hook and returns the previous one; an empty hook restores the
// default. The hook runs on the thread whose read failed, and the read
// returns when the hook returns.
CORVANE_EXPORT RegistryErrorHook SetRegistryErrorHook(RegistryErrorHook hook);

}  // namespace corvane
