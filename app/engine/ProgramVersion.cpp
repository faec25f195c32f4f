#include "ProgramVersion.h"

#include "CCFileVersion.h"
#include "EnginePlatform.h"

std::string ProgramVersion::Line(const std::string& strProgram,
                                 const std::filesystem::path& executable) {
  CCFileVersion version;
  if (!version.Open(EnginePlatform::PathToWide(executable))) return {};
  const std::wstring strProduct = version.QueryValue(L"ProductName");
  const std::wstring strVersion = version.GetProductVersion();
  if (strVersion.empty()) return {};
  std::string strLine = strProgram;
  if (!strProduct.empty()) strLine += " (" + EnginePlatform::WideToUtf8(strProduct) + ")";
  return strLine + " " + EnginePlatform::WideToUtf8(strVersion);
}
