#include <corvane/CCorvaneFunctions.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::wstring kTag = L"<ZQ>";
const std::wstring kCode = L"<STSMOQ><CMD>";  // header of 17 characters
const BYTE kGuard = 0xEE;

std::vector<BYTE> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// The 20-byte status query: header, '<', 0x02, '>'.
const std::vector<BYTE> kStatusFrame = Bytes("<ZQ><STSMOQ><CMD><\x02>");

TEST(FrameBuild, CapacityAndSizeLimits) {
  const struct { DWORD dataLen, capacity; BOOL result; DWORD length; DWORD written; } cases[] = {
      {1, 1024, 1, 20, 20},         // the status query
      {1, 20, 1, 20, 20},           // capacity exactly the frame
      {1, 19, 0, 19, 19},           // one short: prefix only
      {1, 10, 0, 10, 10},
      {1005, 1024, 1, 1024, 1024},  // largest frame
      {1006, 2048, 0, 2048, 0},     // 1025 bytes: refused, nothing written
      {0xFFFFFFFF, 2048, 0, 2048, 0},  // must not wrap into a small frame
  };
  CCorvaneFunctions f;
  const std::vector<BYTE> data(1006, 0x02);
  for (const auto& c : cases) {
    std::vector<BYTE> buffer(c.capacity + 8, kGuard);
    DWORD length = c.capacity;
    EXPECT_EQ(f.FormatEthBuffToSend(buffer.data(), length, kTag, kCode, data.data(), c.dataLen,
                                    '<', '>'), c.result) << c.dataLen << "/" << c.capacity;
    EXPECT_EQ(length, c.length) << c.dataLen << "/" << c.capacity;
    for (DWORD i = 0; i < buffer.size(); ++i) {
      if (i >= c.written) {
        ASSERT_EQ(buffer[i], kGuard) << "byte " << i << " of " << c.dataLen << "/" << c.capacity;
      } else if (c.dataLen == 1) {
        ASSERT_EQ(buffer[i], kStatusFrame[i]) << i;
      }
    }
  }
  DWORD length = 100;
  EXPECT_EQ(f.FormatEthBuffToSend(nullptr, length, kTag, kCode, data.data(), 1, '<', '>'), 0);
}

TEST(FrameParse, HeaderLengthLimitsAndShortBuffers) {
  const std::string kData = "<ZQ><STSMOQ><CMD><";  // followed by 'A's up to the length received
  const struct { std::string frame; DWORD received, capacity; BOOL result; DWORD length; int first; } cases[] = {
      {"<ZQ><STSMOQ><CMD><\x02>", 20, 8, 1, 1, 0x02},  // status answer
      {"<zq><STSMOQ><CMD><\x02>", 20, 8, 0, 8, kGuard},  // lower-case tag
      {"<ZQ><STSMOQ><CMX><\x02>", 20, 8, 0, 8, kGuard},  // other code
      {"<ZQ><STS", 8, 8, 0, 8, kGuard},                   // shorter than the header
      {kData, 1025, 1024, 0, 1024, kGuard},              // refused before any comparison
      {kData, 1024, 1024, 1, 1005, 0x41},
      {kData, 1024, 1004, 0, 0, 0},                      // data does not fit: zeroed
      {kData, 18, 8, 0, 0, 0},                           // header + 1: the data count wraps
      {kData, 19, 8, 1, 0, kGuard},                      // no data at all
  };
  CCorvaneFunctions f;
  for (const auto& c : cases) {
    std::vector<BYTE> frame = Bytes(c.frame);
    frame.resize(std::max<std::size_t>(frame.size(), c.received), 0x41);
    std::vector<BYTE> out(c.capacity + 8, kGuard);
    DWORD length = c.capacity;
    EXPECT_EQ(f.GetDataEthAnswer(out.data(), length, kTag, kCode, frame.data(), c.received),
              c.result) << c.frame << " " << c.received << "/" << c.capacity;
    EXPECT_EQ(length, c.length) << c.frame << " " << c.received << "/" << c.capacity;
    EXPECT_EQ(out[0], c.first) << c.frame << " " << c.received;
    EXPECT_EQ(out[c.capacity], kGuard) << "wrote past capacity " << c.capacity;
  }
}

TEST(HexDump, BytesAndFrames) {
  CCorvaneFunctions f;
  const BYTE bytes[] = {0x3C, 0x02, 0x3E, 0xab};
  EXPECT_EQ(f.ByteToExCString(bytes, 4), L"0x3C,0x02,0x3E,0xAB");
  EXPECT_EQ(f.ByteToExCString(bytes, 0), L"");
  const BYTE* frame = kStatusFrame.data();
  EXPECT_EQ(f.BufByteToExCString(frame, 20, kTag, kCode), L"<ZQ><STSMOQ><CMD><0x02>");
  EXPECT_EQ(f.BufByteToExCString(frame, 18, kTag, kCode), L"<ZQ><STSMOQ><CMD><>");
  EXPECT_EQ(f.BufByteToExCString(frame, 2, kTag, kCode), L"0x3C,0x5A");  // shorter than header
}

TEST(AddressText, Conversions) {
  CCorvaneFunctions f;
  EXPECT_EQ(f.dwordToStrIp(0), L"0.0.0.0");
  EXPECT_EQ(f.dwordToStrIp(0xC0A8010A), L"192.168.1.10");
  const struct { const wchar_t* text; DWORD ip, mac; } cases[] = {
      {L"192.168.1.10", 0xC0A8010A, 0xC0A8010A},
      {L"255.255.255.255", 0xFFFFFFFF, 0xFFFFFFFF},
      {L"10.1", 0x0A010000, 0x0A010000},
      {L"", 0, 0},
      {L"1.2.3.4.5", 0x01020304, 0x01020304},  // four groups only
      {L"1-2", 0x48000000, 0x01020000},  // '-' is no separator of addresses
      {L"1.256.0.0", 0x02000000, 0x02000000},  // a group over 255 adds into the one before
  };
  for (const auto& c : cases) {
    EXPECT_EQ(f.strIpToDword(c.text), c.ip) << c.text;
    EXPECT_EQ(f.strMacToDword(c.text), c.mac) << c.text;
  }
}

}  // namespace
