#pragma once
// The program's artwork by resource id: the window icon, the button icons,
// the device images, the two lamps and the logo. All of it is vector
// artwork, rendered at the size asked for and at the screen's pixel ratio.
#include <corvane/CorvaneTypes.h>

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace LumoraResources {

constexpr UINT kIconMain = 128;
constexpr UINT kDeviceImagesLarge = 133;  // eight 32x32 device images
constexpr UINT kDeviceImagesSmall = 134;  // the same at 16x16
constexpr UINT kLampTransmit = 135;       // two 15x15 frames: off, on
constexpr UINT kLampReceive = 136;
constexpr UINT kIconStart = 137;
constexpr UINT kIconStop = 138;
constexpr UINT kIconConf = 139;
constexpr UINT kIconExit = 140;
constexpr UINT kIconWeb = 142;
constexpr UINT kIconAbout = 143;
constexpr UINT kIconMakerSite = 144;
constexpr UINT kLogo = 145;  // 275x41
constexpr UINT kIconOk = 146;
constexpr UINT kIconCancel = 147;
constexpr UINT kIconWarning = 148;  // overlay of a printer outside this computer's subnets

constexpr int kDeviceImageCount = 8;
constexpr int kLampWidth = 15;

// An icon resource; a null icon for an unknown id.
QIcon Icon(UINT uiId);
// A bitmap resource at its own size (device strips: 8 images side by side),
// rendered for the device pixel ratio; a null pixmap for an unknown id.
QPixmap Bitmap(UINT uiId, qreal devicePixelRatio = 1.0);
// Device image `index` of the image lists, both sizes in one icon.
QIcon DeviceImage(DWORD dwIndex);
// The same image with the warning sign over its lower right part.
QIcon WarnedDeviceImage(DWORD dwIndex);

}  // namespace LumoraResources
