#pragma once
// The local machine's IPv4 network adapters (cards) and their addresses.
// All collection happens in the constructor; the accessors hand out copies.
//
// Card index: 0xFFFFFFFF names the default card (the adapter that holds the
// machine's own address); any other index at or above the card count names
// card 0. With no card at all every accessor returns an empty text.
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <memory>
#include <string>

namespace corvane::detail {
class AdapterSource;
struct AdapterList;
}  // namespace corvane::detail

class CORVANE_EXPORT CCNetCardInfo {
 public:
  static constexpr DWORD kDefaultCard = 0xFFFFFFFF;

  // Collects from the running system.
  CCNetCardInfo();
  // Collects from the given source (another system view, or a test double).
  explicit CCNetCardInfo(std::unique_ptr<corvane::detail::AdapterSource> pSource);
  virtual ~CCNetCardInfo();
  CCNetCardInfo(const CCNetCardInfo&) = delete;
  CCNetCardInfo& operator=(const CCNetCardInfo&) = delete;

  // Collects everything anew; 1 when the status text ends as "Success!".
  int GetCardInfo();

  std::wstring GetNetCardMACAddress(DWORD dwCard = kDefaultCard) const;
  std::wstring GetNetCardDeviceName(DWORD dwCard = kDefaultCard) const;
  std::wstring GetNetCardType(DWORD dwCard = kDefaultCard) const;
  std::wstring GetNetCardSubnetMask(DWORD dwCard = kDefaultCard) const;
  std::wstring GetNetCardIPAddress(DWORD dwCard = kDefaultCard) const;
  std::wstring GetNetCardGateWay(DWORD dwCard = kDefaultCard) const;
  std::wstring GetNetCardWINS(DWORD dwCard = kDefaultCard) const;
  std::wstring GetDHCPServer(DWORD dwCard = kDefaultCard) const;

  std::wstring GetErrorMsg() const;
  DWORD Get_m_dwNumOfCard() const;
  DWORD Get_m_dwDefaultCardNum() const;

  // Writes the machine's own IPv4 address as dotted text with a terminating
  // zero. Returns 0 on failure; the reason is then in corvane::GetLastError():
  // kErrorInvalidParameter for a null buffer or zero capacity,
  // kErrorInsufficientBuffer when text and terminator do not fit.
  int GetLocalAddress(wchar_t* pBuffer, DWORD dwCapacity);

 private:
  struct NetCardEntry {
    std::wstring strMacAddress;
    std::wstring strDeviceName;
    std::wstring strType;
    std::wstring strSubnetMask;
    std::wstring strIpAddress;
    std::wstring strGateway;
    std::wstring strWins;
    std::wstring strDhcpServer;
  };

  void GetInfo();
  void ParseData();
  const NetCardEntry* Card(DWORD dwCard) const;
  std::wstring Field(DWORD dwCard, std::wstring NetCardEntry::*pField) const;

  std::unique_ptr<corvane::detail::AdapterSource> m_pSource;
  std::unique_ptr<corvane::detail::AdapterList> m_pAdapterBuffer;
  std::unique_ptr<NetCardEntry[]> m_pNetCard;
  std::wstring m_strErrorMsg;
  DWORD m_ulBufLen = 0;  // adapters reported by the last count query
  DWORD m_dwNumOfCard = 0;
  DWORD m_dwDefaultCardNum = 0;
};
