#include "CDiscoveryProtocol.h"

#include <algorithm>

std::wstring CDiscoveryProtocol::DiscoveryRequest() {
  return std::wstring(kZqTag) + kDiscoveryCode;
}

std::wstring CDiscoveryProtocol::InfoRequest(InfoField field) {
  return std::wstring(kZqTag) + kInfoCode + InfoTag(field);
}

std::wstring CDiscoveryProtocol::TestMessage() { return std::wstring(kZqTag) + kTestCode; }

const wchar_t* CDiscoveryProtocol::InfoTag(InfoField field) {
  switch (field) {
    case InfoField::kName: return kNameTag;
    case InfoField::kModel: return kModelTag;
    case InfoField::kSubnetMask: return kSubnetMaskTag;
    case InfoField::kGateway: return kGatewayTag;
    case InfoField::kDhcp: return kDhcpTag;
    case InfoField::kNone: break;
  }
  return L"";
}

std::wstring CDiscoveryProtocol::AnswerText(const BYTE* pBuffer, std::size_t dwCount) {
  std::wstring strText;
  if (pBuffer == nullptr) return strText;
  const BYTE* pEnd = std::find(pBuffer, pBuffer + dwCount, BYTE{0});
  strText.reserve(static_cast<std::size_t>(pEnd - pBuffer));
  // Bytes above 127 become the characters of the same code (ISO 8859-1).
  for (const BYTE* p = pBuffer; p != pEnd; ++p) strText.push_back(static_cast<wchar_t>(*p));
  return strText;
}

bool CDiscoveryProtocol::HasZqPrefix(const std::wstring& strAnswer) {
  return strAnswer.starts_with(kZqTag);
}

bool CDiscoveryProtocol::FindValue(const std::wstring& strAnswer, const wchar_t* szTag,
                                   std::wstring& strValue) {
  const std::wstring strTag(szTag);
  if (strTag.empty()) return false;
  std::size_t pos = strAnswer.find(strTag);
  if (pos == 0) pos = strAnswer.find(strTag, 1);
  if (pos == std::wstring::npos) return false;
  strValue.clear();
  for (std::size_t i = pos + strTag.size(); i < strAnswer.size(); ++i) {
    if (strAnswer[i] != L'<' && strAnswer[i] != L'>') strValue.push_back(strAnswer[i]);
  }
  return true;
}

CDiscoveryProtocol::InfoField CDiscoveryProtocol::FindInfoField(const std::wstring& strAnswer,
                                                                std::wstring& strValue) {
  for (int i = 0; i < kInfoFieldCount; ++i) {
    const auto field = static_cast<InfoField>(i);
    if (FindValue(strAnswer, InfoTag(field), strValue)) return field;
  }
  return InfoField::kNone;
}
