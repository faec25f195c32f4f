#pragma once
// Dialog template 16000: the About box.
#include "DialogTemplate.h"

namespace AboutTemplate {

constexpr int kId = 16000;
constexpr int kIdOK = 1;
constexpr int kIdLogo = 2019;
constexpr int kIdFrame = 2020;
constexpr int kIdSite = 2023;
constexpr int kIdMail = 2024;
constexpr int kIdAppName = 16001;
constexpr int kIdVersion = 16002;

const DialogTemplate& Get();

}  // namespace AboutTemplate
