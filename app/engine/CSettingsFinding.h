#pragma once
// One thing the check of proposed printer settings found: an error (the
// printer would be unusable or unreachable with it) or a warning, with a
// plain sentence for the operator.
#include <string>

struct CSettingsFinding {
  enum class ESeverity { kError, kWarning };

  ESeverity eSeverity = ESeverity::kError;
  std::wstring strText;

  bool IsError() const { return eSeverity == ESeverity::kError; }
  bool operator==(const CSettingsFinding&) const = default;
};
