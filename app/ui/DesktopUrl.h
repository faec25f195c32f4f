#pragma once
// Opens web addresses through the desktop's URL handler. Tests replace the
// opener so that nothing leaves the machine.
#include <QUrl>

#include <functional>

namespace DesktopUrl {

using Opener = std::function<bool(const QUrl&)>;

// True when the desktop took the address.
bool Open(const QUrl& url);
// Replaces the opener; an empty one restores the desktop's.
void SetOpener(Opener opener);

}  // namespace DesktopUrl
