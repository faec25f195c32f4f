#pragma once
// The few operating-system services the engine needs, kept in one place:
// the environment, the executable's own path, the local time, the user's
// state directory and the conversion between wide texts and the system's
// UTF-8 file names.
#include <filesystem>
#include <string>
#include <string_view>

namespace EnginePlatform {

// The environment variable's value; empty when it is not set.
std::string EnvironmentValue(const char* pszName);

// Full path of the running executable; empty when it cannot be determined.
std::filesystem::path ExecutablePath();

// Local hour, minute and second now; false when the conversion fails.
bool LocalTime(int& iHour, int& iMinute, int& iSecond);

// $XDG_STATE_HOME when it is an absolute path, else $HOME/.local/state;
// empty when neither is known.
std::filesystem::path UserStateDirectory();

// UTF-8 to wide text; a byte that is not part of a valid sequence becomes the
// character with that byte's value, so that no input is rejected.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

std::filesystem::path WideToPath(std::wstring_view text);
std::wstring PathToWide(const std::filesystem::path& path);

}  // namespace EnginePlatform
