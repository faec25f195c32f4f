#include "CAnswerLedger.h"

#include "CDiscoveryProtocol.h"

std::optional<CAnswerLedger::Field> CAnswerLedger::FieldOf(const std::wstring& strAnswer,
                                                           std::wstring* pValue) {
  if (!CDiscoveryProtocol::HasZqPrefix(strAnswer)) return std::nullopt;
  std::wstring strScratch;
  std::wstring& strValue = pValue != nullptr ? *pValue : strScratch;
  if (CDiscoveryProtocol::FindValue(strAnswer, CDiscoveryProtocol::kMacTag, strValue)) return kMac;
  const auto info = CDiscoveryProtocol::FindInfoField(strAnswer, strValue);
  if (info == CDiscoveryProtocol::InfoField::kNone) return std::nullopt;
  return static_cast<Field>(static_cast<unsigned>(info) + 1);
}

std::wstring CAnswerLedger::RequestFor(Field field) {
  if (field == kMac) return CDiscoveryProtocol::DiscoveryRequest();
  return CDiscoveryProtocol::InfoRequest(
      static_cast<CDiscoveryProtocol::InfoField>(static_cast<unsigned>(field) - 1));
}

unsigned CAnswerLedger::Told(DWORD dwAddress) const {
  const auto it = m_Told.find(dwAddress);
  return it == m_Told.end() ? 0 : it->second;
}
