// The decoders of the printers' typed answers.
#include <corvane/CZqSyncSocketCom.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>

namespace {

// Decimal digits in front of a unit suffix, read as the C library's atoi
// would (leading blanks, one sign, digits up to the first other byte; none
// give 0), with values beyond 32 bits held at the nearest limit.
long long LeadingNumber(const BYTE* pText, DWORD dwLength) {
  DWORD i = 0;
  while (i < dwLength && (pText[i] == ' ' || (pText[i] >= '\t' && pText[i] <= '\r'))) ++i;
  bool bNegative = false;
  if (i < dwLength && (pText[i] == '+' || pText[i] == '-')) bNegative = pText[i++] == '-';
  long long value = 0;
  for (; i < dwLength && pText[i] >= '0' && pText[i] <= '9'; ++i) {
    value = std::min<long long>(value * 10 + (pText[i] - '0'), 1ll + INT_MAX);
  }
  value = bNegative ? -value : value;
  return std::clamp<long long>(value, INT_MIN, INT_MAX);
}

BOOL WithSuffix(BYTE* pAnswer, DWORD dwLength, std::string_view suffix, DWORD* pdwResult) {
  if (pAnswer == nullptr || dwLength < suffix.size() ||
      !std::equal(suffix.begin(), suffix.end(), pAnswer + dwLength - suffix.size())) {
    *pdwResult = 0;
    return 0;
  }
  std::memset(pAnswer + dwLength - suffix.size(), 0, suffix.size());
  *pdwResult = static_cast<DWORD>(static_cast<int>(LeadingNumber(pAnswer, dwLength - static_cast<DWORD>(suffix.size()))));
  return 1;
}

bool HasMark(const BYTE* pAnswer, DWORD dwLength, DWORD dwExpected, std::string_view mark) {
  return pAnswer != nullptr && dwLength == dwExpected &&
         std::equal(mark.begin(), mark.end(), pAnswer + (dwExpected - mark.size()));
}

BOOL TwoDigitValue(const BYTE* pAnswer, DWORD dwLength, std::string_view mark, DWORD* pdwResult) {
  if (!HasMark(pAnswer, dwLength, 6, mark)) {
    *pdwResult = 0;
    return 0;
  }
  *pdwResult = static_cast<DWORD>(pAnswer[0]) * 10 + pAnswer[1];
  return 1;
}

BOOL EnabledFlag(const BYTE* pAnswer, DWORD dwLength, std::string_view mark, int* piResult) {
  *piResult = 0;
  if (!HasMark(pAnswer, dwLength, 4, mark) || (pAnswer[0] != '0' && pAnswer[0] != '1')) return 0;
  *piResult = pAnswer[0] == '1' ? 1 : 0;
  return 1;
}

}  // namespace

BOOL CZqSyncSocketCom::TherIsAPowerOnNumber(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult) {
  return WithSuffix(pAnswer, dwLength, "on", pdwResult);
}

BOOL CZqSyncSocketCom::TherIsNumTotCuts(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult) {
  return WithSuffix(pAnswer, dwLength, "cuts", pdwResult);
}

BOOL CZqSyncSocketCom::TherIsARetractNumber(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult) {
  return WithSuffix(pAnswer, dwLength, "ret", pdwResult);
}

BOOL CZqSyncSocketCom::TherIsALength(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult) {
  return WithSuffix(pAnswer, dwLength, "cm", pdwResult);
}

BOOL CZqSyncSocketCom::TherIsATimeToCut(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult) {
  return TwoDigitValue(pAnswer, dwLength, "CutT", pdwResult);
}

BOOL CZqSyncSocketCom::TherIsANotchDist(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult) {
  return TwoDigitValue(pAnswer, dwLength, "Dist", pdwResult);
}

BOOL CZqSyncSocketCom::TherIsRetractEnabled(BYTE* pAnswer, DWORD dwLength, int* piResult) {
  return EnabledFlag(pAnswer, dwLength, "Ren", piResult);
}

BOOL CZqSyncSocketCom::TherIsNotchEnabled(BYTE* pAnswer, DWORD dwLength, int* piResult) {
  return EnabledFlag(pAnswer, dwLength, "Nen", piResult);
}

BOOL CZqSyncSocketCom::TherIsANotchThreshold(BYTE* pAnswer, DWORD dwLength, float* pfResult) {
  if (!HasMark(pAnswer, dwLength, 4, "Nth")) {
    *pfResult = 0.0f;
    return 0;
  }
  // Volts 0.0 to 5.0 in steps of 0.1, rounded down, in single precision.
  const float fTenths = static_cast<float>(pAnswer[0]) / 255.0f * 5.0f * 10.0f;
  *pfResult = static_cast<float>(static_cast<int>(fTenths)) / 10.0f;
  return 1;
}
