#include "AdapterReport.h"

#include "CliText.h"

#include <corvane/CCNetCardInfo.h>

namespace {
// An adapter with several addresses lists them separated by CR LF.
std::wstring OneLine(std::wstring strText) {
  std::wstring out;
  for (size_t i = 0; i < strText.size(); ++i) {
    if (strText.compare(i, 2, L"\r\n") == 0) {
      out += L",";
      ++i;
    } else {
      out += strText[i];
    }
  }
  return out;
}
}  // namespace

std::string AdapterReport::Text(const CCNetCardInfo& cards) {
  std::vector<CliText::Row> rows;
  for (DWORD i = 0; i < cards.Get_m_dwNumOfCard(); ++i) {
    rows.push_back({std::to_wstring(i), i == cards.Get_m_dwDefaultCardNum() ? L"*" : L"",
                    cards.GetNetCardDeviceName(i), cards.GetNetCardType(i),
                    cards.GetNetCardMACAddress(i), OneLine(cards.GetNetCardIPAddress(i)),
                    cards.GetNetCardSubnetMask(i), cards.GetNetCardGateWay(i),
                    cards.GetDHCPServer(i)});
  }
  return CliText::Table({L"INDEX", L"DEFAULT", L"NAME", L"TYPE", L"MAC ADDRESS", L"IP ADDRESS",
                         L"SUBNET MASK", L"GATEWAY", L"DHCP SERVER"},
                        rows);
}
