#pragma once
// The texts of the discovery protocol and the reading of the printers'
// answers. Messages are short ASCII texts, one byte per character; answers
// start with "<ZQ>" and carry one field after its tag.
#include <corvane/CorvaneTypes.h>

#include <cstddef>
#include <string>

class CDiscoveryProtocol {
 public:
  static constexpr const wchar_t* kZqTag = L"<ZQ>";
  static constexpr const wchar_t* kDiscoveryCode = L"<0000>";
  static constexpr const wchar_t* kInfoCode = L"<STSMOQ>";
  static constexpr const wchar_t* kTestCode = L"<0!!0>";
  static constexpr const wchar_t* kMacTag = L"<MAC>";
  static constexpr const wchar_t* kNameTag = L"<NAME>";
  static constexpr const wchar_t* kModelTag = L"<MOD>";
  static constexpr const wchar_t* kSubnetMaskTag = L"<SNM>";
  static constexpr const wchar_t* kGatewayTag = L"<GTW>";
  static constexpr const wchar_t* kDhcpTag = L"<DHCP>";
  // Size of the buffer answers are received into.
  static constexpr DWORD kAnswerBufferSize = 1024;

  // Information fields, in the order requests are sent and tags are tested.
  enum class InfoField { kName, kModel, kSubnetMask, kGateway, kDhcp, kNone };
  static constexpr int kInfoFieldCount = 5;

  static std::wstring DiscoveryRequest();  // "<ZQ><0000>"
  static std::wstring InfoRequest(InfoField field);  // e.g. "<ZQ><STSMOQ><NAME>"
  static std::wstring TestMessage();  // "<ZQ><0!!0>"
  static const wchar_t* InfoTag(InfoField field);

  // The text of an answer: its bytes up to the first zero byte, each byte one
  // character, never reading more than dwCount bytes.
  static std::wstring AnswerText(const BYTE* pBuffer, std::size_t dwCount);
  // True when the answer starts with "<ZQ>" (case-sensitive).
  static bool HasZqPrefix(const std::wstring& strAnswer);
  // Looks for szTag at a position other than 0; on success strValue is the
  // rest of the answer after the tag with every '<' and '>' removed.
  static bool FindValue(const std::wstring& strAnswer, const wchar_t* szTag,
                        std::wstring& strValue);
  // The first information tag found ("<NAME>", "<MOD>", "<SNM>", "<GTW>",
  // "<DHCP>" in this order) and its value; kNone when there is none.
  static InfoField FindInfoField(const std::wstring& strAnswer, std::wstring& strValue);
};
