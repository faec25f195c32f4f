#include "InfolioResources.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <array>
#include <mutex>
#include <utility>

// Registers the compiled-in resources. The shared library registers them when
// it loads; calling this again is harmless and makes sure a static build
// links them in too.
static void InitInfolioResources() { Q_INIT_RESOURCE(infolio); }

namespace {

struct ImageEntry {
  int iId;
  int iWidth;
  int iHeight;
};

constexpr std::array<ImageEntry, 5> kImages = {{
    {2023, 338, 202},  // logo, the backdrop of the About box
    {2025, 108, 15},   // web-site label
    {2024, 151, 17},   // support-mail labels, English and Italian
    {2026, 151, 17},
    {2027, 151, 17},
}};

// Links on the reserved .example domain, so that nothing real is reached.
constexpr std::array<std::pair<int, const wchar_t*>, 5> kStrings = {{
    {62261, L"" INFOLIO_FILE_NAME},
    {62262, L"mailto:support@zqprinters.example"},
    {62263, L"http://www.zqprinters.example/"},
    {62264, L"mailto:software@zqprinters.example"},
    {62265, L"mailto:netsupport@zqprinters.example"},
}};

const ImageEntry* FindImage(int iId) {
  for (const ImageEntry& entry : kImages)
    if (entry.iId == iId) return &entry;
  return nullptr;
}

}  // namespace

QSize InfolioResources::ImageSize(int iId) {
  const ImageEntry* pEntry = FindImage(iId);
  return pEntry ? QSize(pEntry->iWidth, pEntry->iHeight) : QSize();
}

QPixmap InfolioResources::LoadImage(int iId, qreal dDevicePixelRatio) {
  static std::once_flag registered;
  std::call_once(registered, InitInfolioResources);
  const ImageEntry* pEntry = FindImage(iId);
  if (!pEntry) return {};
  // The resource system picks the Italian file when the user's language is
  // Italian, the default one otherwise.
  QSvgRenderer renderer(QStringLiteral(":/infolio/images/%1.svg").arg(iId));
  if (!renderer.isValid()) return {};
  const qreal dRatio = dDevicePixelRatio > 0 ? dDevicePixelRatio : 1.0;
  QPixmap pixmap(QSize(pEntry->iWidth, pEntry->iHeight) * dRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  painter.end();
  pixmap.setDevicePixelRatio(dRatio);
  return pixmap;
}

std::wstring InfolioResources::LoadString(int iId) {
  for (const auto& [id, text] : kStrings)
    if (id == iId) return text;
  return {};
}
