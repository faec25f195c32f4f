#include "DesktopUrl.h"

#include <QDesktopServices>

namespace {
DesktopUrl::Opener& CurrentOpener() {
  static DesktopUrl::Opener opener;
  return opener;
}
}  // namespace

bool DesktopUrl::Open(const QUrl& url) {
  const Opener& opener = CurrentOpener();
  return opener ? opener(url) : QDesktopServices::openUrl(url);
}

void DesktopUrl::SetOpener(Opener opener) { CurrentOpener() = std::move(opener); }
