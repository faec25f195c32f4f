#pragma once
// What the About box shows for the program: the caption (string 101 without
// its '&'), the application name (string 119) and "Release <product version>"
// read from the executable's own version block, or no version text when the
// file has none.
#include <filesystem>
#include <string>

struct AboutBoxTexts {
  static constexpr unsigned kLinkVariant = 3;  // the web site and network support

  std::wstring strCaption;
  std::wstring strAppName;
  std::wstring strVersion;

  static AboutBoxTexts ForExecutable(const std::filesystem::path& executable);
};
