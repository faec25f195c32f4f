#include "AboutTemplate.h"

#include <array>

#include "infolio/CTransparentStatic.h"

namespace {

using namespace AboutTemplate;
using namespace DialogStyle;

constexpr std::uint32_t kLabelStyle = CTransparentStatic::kStyleCenterImage;  // left, single line

// Created in this order, so later rows lie above earlier ones: the logo is
// the backdrop of everything else.
constexpr std::array<DialogControl, 7> kControls = {{
    {kIdLogo, ControlKind::StaticPicture, 8, 7, 40, 25, nullptr, 2023, 0},
    {kIdOK, ControlKind::PushButton, 101, 136, 50, 14, "OK", 0, kDefaultButton | kTabStop},
    {kIdAppName, ControlKind::StaticText, 94, 70, 133, 10, "App Name", 0, kLabelStyle},
    {kIdVersion, ControlKind::StaticText, 94, 84, 133, 10, "App Version", 0, kLabelStyle},
    {kIdFrame, ControlKind::GrayFrame, 90, 66, 139, 33, nullptr, 0, 0},
    {kIdSite, ControlKind::StaticPicture, 91, 102, 72, 9, nullptr, 2025, kNotify | kRealSize},
    {kIdMail, ControlKind::StaticPicture, 91, 115, 101, 10, nullptr, 2024, kNotify | kRealSize},
}};

constexpr DialogTemplate kTemplate = {242, 158, "Dialog", "MS Sans Serif", 8, kControls};

}  // namespace

const DialogTemplate& AboutTemplate::Get() { return kTemplate; }
