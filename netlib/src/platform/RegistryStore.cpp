#include "platform/RegistryStore.h"

#include <corvane/DebugTrace.h>
#include <cstdlib>

#include "platform/RegistryLayeredStore.h"
#include "platform/StoreFile.h"
#include "registry/RegistryEditor.h"
#include "registry/RegistryParser.h"

namespace corvane::detail {
namespace {

constexpr const char* kSystemPath = "/etc/corvane/registry.reg";

void TraceProblem(const std::string& strPath, std::size_t uiLine, const std::string& strReason) {
  std::string text = "RegistryStore: cannot read " + strPath;
  if (uiLine > 0) text += " line " + std::to_string(uiLine);
  text += ": " + strReason + "\n";
  OutputDebugTrace(std::wstring(text.begin(), text.end()));
}

}  // namespace

std::string RegistryStore::EnvironmentPath() {
  const char* path = std::getenv("CORVANE_REGISTRY");
  return path != nullptr ? path : "";
}

std::string RegistryStore::SystemPath() { return kSystemPath; }

std::string RegistryStore::UserPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::string(config) + "/corvane/registry.reg";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/corvane/registry.reg";
  return {};
}

std::unique_ptr<RegistryStore> RegistryStore::Layered(const std::string& strUserPath,
                                                      const std::string& strSystemPath) {
  auto system = std::make_unique<RegistryFileStore>(strSystemPath);
  if (strUserPath.empty()) return system;
  return std::make_unique<RegistryLayeredStore>(std::make_unique<RegistryFileStore>(strUserPath),
                                                std::move(system));
}

std::unique_ptr<RegistryStore> RegistryStore::Default() {
  const std::string environment = EnvironmentPath();
  if (!environment.empty()) return std::make_unique<RegistryFileStore>(environment);
  return Layered(UserPath(), SystemPath());
}

bool RegistryFileStore::Load(RegistryDocument& document) const {
  std::string bytes;
  std::string reason;
  switch (StoreFile(m_strPath, RegistryParser::kMaxStoreBytes).ReadAll(bytes, reason)) {
    case StoreFile::Read::kAbsent:
      document = RegistryDocument();
      return true;
    case StoreFile::Read::kFailed:
      TraceProblem(m_strPath, 0, reason);
      return false;
    case StoreFile::Read::kRead:
      break;
  }
  RegistryParser::Error error;
  auto parsed = RegistryParser::Parse(bytes, error);
  if (!parsed) {
    TraceProblem(m_strPath, error.uiLine, error.strReason);
    return false;
  }
  document = std::move(*parsed);
  return true;
}

bool RegistryFileStore::Apply(const std::vector<RegistryEdit>& edits, std::string& reason) const {
  StoreFile file(m_strPath, RegistryParser::kMaxStoreBytes);
  if (!file.Lock(reason)) return false;
  std::string bytes;
  if (file.ReadAll(bytes, reason) == StoreFile::Read::kFailed) {
    reason = "cannot read " + m_strPath + ": " + reason;
    return false;
  }
  RegistryParser::Error error;
  const auto edited = RegistryEditor::Edit(bytes, edits, error);
  if (!edited) {
    reason = m_strPath + (error.uiLine > 0 ? " line " + std::to_string(error.uiLine) : "") +
             ": " + error.strReason + "; the store is left as it is";
    return false;
  }
  return *edited == bytes || file.Replace(*edited, reason);
}

RegistryLookup RegistryFileStore::FindValue(const std::wstring& strKeyPath,
                                            const std::wstring& strName,
                                            RegistryValue& value) const {
  RegistryDocument document;
  if (!Load(document)) return RegistryLookup::kUnreadable;
  if (document.FindKey(strKeyPath) == nullptr) return RegistryLookup::kNoKey;
  const RegistryValue* found = document.FindValue(strKeyPath, strName);
  if (found == nullptr) return RegistryLookup::kNoValue;
  value = *found;
  return RegistryLookup::kFound;
}

RegistryLookup RegistryFileStore::FindKey(const std::wstring& strKeyPath) const {
  RegistryDocument document;
  if (!Load(document)) return RegistryLookup::kUnreadable;
  return document.FindKey(strKeyPath) != nullptr ? RegistryLookup::kFound : RegistryLookup::kNoKey;
}

}  // namespace corvane::detail
