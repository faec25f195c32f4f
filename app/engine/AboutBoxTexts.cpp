#include "AboutBoxTexts.h"

#include <algorithm>

#include "CCFileVersion.h"
#include "EnginePlatform.h"
#include "LumoraStrings.h"

AboutBoxTexts AboutBoxTexts::ForExecutable(const std::filesystem::path& executable) {
  AboutBoxTexts texts;
  texts.strCaption = LumoraStrings::Load(LumoraStrings::kAbout);
  std::erase(texts.strCaption, L'&');
  texts.strAppName = LumoraStrings::Load(LumoraStrings::kProductName);
  CCFileVersion version;
  if (version.Open(EnginePlatform::PathToWide(executable))) {
    texts.strVersion = L"Release " + version.GetProductVersion();
    version.Close();
  }
  return texts;
}
