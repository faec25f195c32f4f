#include "LumoraResources.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

#include <array>
#include <utility>

// The artwork lives in a static library, whose resources are registered
// only when asked for.
static void RegisterResources() { Q_INIT_RESOURCE(lumora); }

namespace {

void EnsureResources() {
  static const bool bRegistered = [] {
    RegisterResources();
    return true;
  }();
  (void)bRegistered;
}

constexpr std::array<std::pair<UINT, const char*>, 11> kIcons = {{
    {LumoraResources::kIconMain, ":/lumora/resources/icons/app.svg"},
    {LumoraResources::kIconStart, ":/lumora/resources/icons/start.svg"},
    {LumoraResources::kIconStop, ":/lumora/resources/icons/stop.svg"},
    {LumoraResources::kIconConf, ":/lumora/resources/icons/conf.svg"},
    {LumoraResources::kIconExit, ":/lumora/resources/icons/exit.svg"},
    {LumoraResources::kIconWeb, ":/lumora/resources/icons/web.svg"},
    {LumoraResources::kIconAbout, ":/lumora/resources/icons/about.svg"},
    {LumoraResources::kIconMakerSite, ":/lumora/resources/icons/site.svg"},
    {LumoraResources::kIconOk, ":/lumora/resources/icons/ok.svg"},
    {LumoraResources::kIconCancel, ":/lumora/resources/icons/cancel.svg"},
    {LumoraResources::kIconWarning, ":/lumora/resources/icons/warning.svg"},
}};

QString DevicePath(DWORD dwIndex) {
  return QStringLiteral(":/lumora/resources/devices/device%1.svg").arg(dwIndex);
}

// The SVG drawn into a transparent pixmap of `size` logical pixels.
QPixmap Render(const QString& path, QSize size, qreal ratio) {
  EnsureResources();
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return {};
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

QPixmap DeviceStrip(int iSide, qreal ratio) {
  QPixmap strip(QSize(iSide * LumoraResources::kDeviceImageCount, iSide) * ratio);
  strip.setDevicePixelRatio(ratio);
  strip.fill(Qt::transparent);
  QPainter painter(&strip);
  for (int i = 0; i < LumoraResources::kDeviceImageCount; ++i)
    painter.drawPixmap(i * iSide, 0, Render(DevicePath(i), QSize(iSide, iSide), ratio));
  return strip;
}

// An icon with a second one drawn over its lower right part, rendered at
// whatever size and pixel ratio the view asks for.
class OverlayIconEngine : public QIconEngine {
 public:
  OverlayIconEngine(QIcon base, QIcon overlay) : m_Base(std::move(base)), m_Overlay(std::move(overlay)) {}
  void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    m_Base.paint(pPainter, rect, Qt::AlignCenter, mode, state);
    const int nSide = (rect.width() * 5 + 4) / 8;
    // The sign keeps its colours on a selected row.
    m_Overlay.paint(pPainter, QRect(rect.right() + 1 - nSide, rect.bottom() + 1 - nSide, nSide, nSide),
                    Qt::AlignCenter, mode == QIcon::Disabled ? mode : QIcon::Normal, state);
  }
  QIconEngine* clone() const override { return new OverlayIconEngine(m_Base, m_Overlay); }

 private:
  QIcon m_Base;
  QIcon m_Overlay;
};

}  // namespace

QIcon LumoraResources::Icon(UINT uiId) {
  EnsureResources();
  for (const auto& [id, path] : kIcons)
    if (id == uiId) return QIcon(QString::fromLatin1(path));
  return {};
}

QPixmap LumoraResources::Bitmap(UINT uiId, qreal ratio) {
  switch (uiId) {
    case kDeviceImagesLarge: return DeviceStrip(32, ratio);
    case kDeviceImagesSmall: return DeviceStrip(16, ratio);
    case kLampTransmit:
      return Render(QStringLiteral(":/lumora/resources/lamps/tx.svg"), QSize(2 * kLampWidth, kLampWidth), ratio);
    case kLampReceive:
      return Render(QStringLiteral(":/lumora/resources/lamps/rx.svg"), QSize(2 * kLampWidth, kLampWidth), ratio);
    case kLogo: return Render(QStringLiteral(":/lumora/resources/logo.svg"), QSize(275, 41), ratio);
    default: return {};
  }
}

QIcon LumoraResources::DeviceImage(DWORD dwIndex) {
  EnsureResources();
  if (dwIndex >= static_cast<DWORD>(kDeviceImageCount)) return {};
  return QIcon(DevicePath(dwIndex));
}

QIcon LumoraResources::WarnedDeviceImage(DWORD dwIndex) {
  const QIcon base = DeviceImage(dwIndex);
  if (base.isNull()) return {};
  return QIcon(new OverlayIconEngine(base, Icon(kIconWarning)));  // the icon owns its engine
}
