#pragma once
// Which fields each printer address has answered during a run, whatever the
// answer's value was. The fill-in pass asks again for what is missing here:
// a printer that answered a field with an empty value has answered it.
#include <corvane/CorvaneTypes.h>

#include <optional>
#include <string>
#include <unordered_map>

class CAnswerLedger {
 public:
  // The discovery answer's MAC first, then the information fields in the
  // order they are requested.
  enum Field : unsigned { kMac, kName, kModel, kSubnetMask, kGateway, kDhcp, kFieldCount };
  static constexpr unsigned kAllFields = (1u << kFieldCount) - 1;

  // The field an answer text carries: "<MAC>" or the first information tag,
  // as the worker reads them; none for anything else. pValue, when given,
  // receives the field's value.
  static std::optional<Field> FieldOf(const std::wstring& strAnswer,
                                      std::wstring* pValue = nullptr);
  // The request that asks for the field.
  static std::wstring RequestFor(Field field);

  void Clear() { m_Told.clear(); }
  void Note(DWORD dwAddress, Field field) { m_Told[dwAddress] |= 1u << field; }
  // Bit f set: field f answered.
  unsigned Told(DWORD dwAddress) const;

 private:
  std::unordered_map<DWORD, unsigned> m_Told;
};
