#pragma once
// Stateless helpers of corvane: the byte layout of a framed printer command
// (build and take apart), hexadecimal dumps, IPv4 text/number conversions and
// small host-name and ARP queries. Create one on the stack where needed.
//
// Frame layout: header (tag text then code text, one byte per character),
// start byte, data bytes, end byte. A frame is at most 1024 bytes.
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <string>

// What GetHostInfo learns about one host. Lists end at the first empty entry.
struct CORVANE_EXPORT _HostInfo {
  static constexpr int kMaxEntries = 50;
  std::wstring strHostName;                  // official name
  std::wstring strAliases[kMaxEntries];      // alias names, resolver order
  std::wstring strAddrType;                  // "AF_INET" or "Unknown Type"
  std::wstring strIpAddresses[kMaxEntries];  // dotted IPv4, resolver order
  std::wstring strMacAddress;                // MAC of the first address
};

class CORVANE_EXPORT CCorvaneFunctions {
 public:
  // Largest frame built or accepted.
  static constexpr DWORD kMaxFrame = 1024;

  CCorvaneFunctions() = default;
  virtual ~CCorvaneFunctions();

  // Builds tag+code, start byte, data, end byte into pBuffer. dwLength is the
  // capacity on entry and the frame length on success (result 1). When the
  // frame does not fit, the first dwLength bytes are written, dwLength is left
  // unchanged and the result is 0. A frame over 1024 bytes is refused: nothing
  // is written and the result is 0. A null buffer (with non-zero capacity) or a
  // null data pointer (with non-zero data length) is refused the same way.
  BOOL FormatEthBuffToSend(BYTE* pBuffer, DWORD& dwLength, std::wstring strTag,
                           std::wstring strCode, const BYTE* pData, DWORD dwDataLength,
                           BYTE btStart, BYTE btEnd) const;

  // Takes the data out of a received frame carrying exactly this tag and code.
  // dwLength is the capacity on entry and the data length on success. When the
  // data does not fit (or the frame is shorter than header + 2) the buffer is
  // zeroed over its capacity, dwLength set to 0 and the result is 0.
  BOOL GetDataEthAnswer(BYTE* pBuffer, DWORD& dwLength, std::wstring strTag,
                        std::wstring strCode, const BYTE* pReceived,
                        DWORD dwReceived) const;

  // "0x3C,0x02,0x3E": each byte as 0x%02X joined by ",".
  std::wstring ByteToExCString(const BYTE* pBytes, DWORD dwCount) const;
  // Header text, then "<", hex of the data, ">".
  std::wstring BufByteToExCString(const BYTE* pFrame, DWORD dwLength, std::wstring strTag,
                                  std::wstring strCode) const;

  // The first octet is the most significant byte: 192.168.1.10 <-> 0xC0A8010A.
  std::wstring dwordToStrIp(DWORD dwAddress) const;
  DWORD strIpToDword(std::wstring strIp) const;
  // First four groups separated by "-" or ".", each read as decimal.
  DWORD strMacToDword(std::wstring strMac) const;

  // MAC of an IPv4 neighbour as "AA-BB-CC-DD-EE-FF", from the neighbour table;
  // when missing, resolution is provoked and awaited for a bounded time.
  BOOL GetClientMacAddress(std::wstring strIp, std::wstring& strMac) const;
  // First IPv4 address of a host name, or empty.
  std::wstring GetHostClientIpAddress(std::wstring strHostName) const;
  // Host name of a dotted IPv4 address, or empty.
  std::wstring GetHostClientName(std::wstring strIp) const;
  // Name, aliases, addresses and MAC of a host given by name or dotted address.
  BOOL GetHostInfo(std::wstring strHost, _HostInfo& hostInfo) const;
};
