#pragma once
// The few operating-system services the engine needs, kept in one place:
// the environment, the executable's own path, the local time, the user's
// state directory, the conversion between wide texts and the system's UTF-8
// file names, a durable append for journals, and the ICMP echo of the
// address check.
#include <cstdint>
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

// True when every byte of the text belongs to a valid UTF-8 sequence.
bool IsUtf8(std::string_view text);

std::filesystem::path WideToPath(std::wstring_view text);
std::wstring PathToWide(const std::filesystem::path& path);

// The local time now as "2025-03-01T14:05:09+01:00".
std::string LocalTimestamp();
// Seconds since the epoch of a local date and time (the time zone's rules,
// daylight saving included); false when the system cannot convert it.
bool LocalToEpoch(int iYear, int iMonth, int iDay, int iHour, int iMinute, int iSecond,
                  std::int64_t& epoch);

// Appends the text (whole lines) to the file with one write and flushes it
// to the disk before returning, so that a crash leaves at most the last line
// torn; a torn last line is ended first. Creates the file (mode 0600) and
// missing directories (mode 0700).
// False with the reason in error.
bool AppendDurably(const std::filesystem::path& file, std::string_view text, std::string& error);

enum class EchoResult { kAnswered, kSilent, kNotAllowed };
// ICMP echo requests to the address (first octet most significant) through
// an unprivileged ICMP datagram socket: one at once, one more halfway
// through the wait. kNotAllowed when the system does not permit such a
// socket (net.ipv4.ping_group_range).
EchoResult IcmpEcho(std::uint32_t dwAddress, int iTimeoutMs);

}  // namespace EnginePlatform
