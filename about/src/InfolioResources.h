#pragma once
// The library's images and strings, found by number. Images are SVG drawings
// compiled in as Qt resources and rendered at their listed pixel size times
// the screen's pixel ratio, so they stay sharp on high-density screens; the
// mail labels come in English and Italian, picked by the user's language.
#include <QPixmap>
#include <string>

namespace InfolioResources {

// Listed size of an image in pixels; empty for an unknown number.
QSize ImageSize(int iId);

// The image rendered for the given device pixel ratio; null when unknown.
QPixmap LoadImage(int iId, qreal dDevicePixelRatio);

// The string with the number; empty when unknown.
std::wstring LoadString(int iId);

}  // namespace InfolioResources
