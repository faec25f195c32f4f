#pragma once
// Message ids reserved by the framework.
#include <cstdint>

namespace corvane::detail {

constexpr std::int32_t kServerStopping = -1;
constexpr std::int32_t kClientPing = -2;
constexpr std::int32_t kServerPing = -3;
constexpr std::int32_t kClientClosing = -4;
constexpr std::int32_t kServerDisconnects = -5;

}  // namespace corvane::detail
