#include <corvane/CCorvaneFunctions.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::wstring kTag = L"<ZQ>";
const std::wstring kCode = L"<STSMOQ><CMD>";
const BYTE kData = 0x02;

std::vector<BYTE> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// The 20-byte frame of the status query: header, '<', 0x02, '>'.
std::vector<BYTE> StatusFrame() {
  std::vector<BYTE> frame = Bytes("<ZQ><STSMOQ><CMD><");
  frame.push_back(kData);
  frame.push_back('>');
  return frame;
}

TEST(FrameBuild, StatusQueryFitsInFullBuffer) {
  CCorvaneFunctions f;
  std::vector<BYTE> buffer(1024, 0xEE);
  DWORD length = 1024;
  EXPECT_EQ(f.FormatEthBuffToSend(buffer.data(), length, kTag, kCode, &kData, 1, '<', '>'), 1);
  EXPECT_EQ(length, 20u);
  buffer.resize(length);
  EXPECT_EQ(buffer, StatusFrame());
}

TEST(FrameBuild, CapacityExactlyTheFrameLengthFits) {
  CCorvaneFunctions f;
  std::vector<BYTE> buffer(20);
  DWORD length = 20;
  EXPECT_EQ(f.FormatEthBuffToSend(buffer.data(), length, kTag, kCode, &kData, 1, '<', '>'), 1);
  EXPECT_EQ(buffer, StatusFrame());
}

TEST(FrameBuild, ShortCapacityCopiesPrefixOnlyAndFails) {
  CCorvaneFunctions f;
  for (DWORD capacity : {10u, 19u}) {
    // Guard bytes behind the capacity must stay untouched.
    std::vector<BYTE> buffer(capacity + 8, 0xEE);
    DWORD length = capacity;
    EXPECT_EQ(f.FormatEthBuffToSend(buffer.data(), length, kTag, kCode, &kData, 1, '<', '>'), 0);
    EXPECT_EQ(length, capacity);
    const auto frame = StatusFrame();
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + capacity, frame.begin()));
    for (DWORD i = capacity; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0xEE) << i;
  }
}

TEST(FrameBuild, LargestFrameIs1024Bytes) {
  CCorvaneFunctions f;
  const std::vector<BYTE> data(1024 - 17 - 2, 0x41);
  std::vector<BYTE> buffer(1024);
  DWORD length = 1024;
  EXPECT_EQ(f.FormatEthBuffToSend(buffer.data(), length, kTag, kCode, data.data(),
                                  static_cast<DWORD>(data.size()), '<', '>'),
            1);
  EXPECT_EQ(length, 1024u);
  EXPECT_EQ(buffer.back(), '>');
}

TEST(FrameBuild, OversizedFrameIsRefusedWithoutWriting) {
  CCorvaneFunctions f;
  const std::vector<BYTE> data(1024 - 17 - 1, 0x41);  // frame of 1025 bytes
  std::vector<BYTE> buffer(4096, 0xEE);
  DWORD length = 4096;
  EXPECT_EQ(f.FormatEthBuffToSend(buffer.data(), length, kTag, kCode, data.data(),
                                  static_cast<DWORD>(data.size()), '<', '>'),
            0);
  EXPECT_EQ(length, 4096u);
  EXPECT_EQ(buffer[0], 0xEE);
  // A data length near 2^32 must not wrap into a small frame.
  EXPECT_EQ(f.FormatEthBuffToSend(buffer.data(), length, kTag, kCode, data.data(), 0xFFFFFFFF,
                                  '<', '>'),
            0);
}

TEST(FrameBuild, NullPointersAreRefused) {
  CCorvaneFunctions f;
  DWORD length = 100;
  EXPECT_EQ(f.FormatEthBuffToSend(nullptr, length, kTag, kCode, &kData, 1, '<', '>'), 0);
  std::vector<BYTE> buffer(100);
  EXPECT_EQ(f.FormatEthBuffToSend(buffer.data(), length, kTag, kCode, nullptr, 5, '<', '>'), 0);
  EXPECT_EQ(f.FormatEthBuffToSend(buffer.data(), length, kTag, kCode, nullptr, 0, '<', '>'), 1);
  EXPECT_EQ(length, 19u);
}

TEST(FrameParse, StatusAnswerYieldsItsDataByte) {
  CCorvaneFunctions f;
  const auto frame = StatusFrame();
  BYTE out[8] = {};
  DWORD length = sizeof out;
  EXPECT_EQ(f.GetDataEthAnswer(out, length, kTag, kCode, frame.data(), 20), 1);
  EXPECT_EQ(length, 1u);
  EXPECT_EQ(out[0], kData);
}

TEST(FrameParse, TagAndCodeMustMatchExactly) {
  CCorvaneFunctions f;
  struct Case { std::string frame; const char* why; };
  const Case cases[] = {
      {"<zq><STSMOQ><CMD><x>", "lower-case tag"},
      {"<ZQ><STSMOQ><CMX><x>", "other code"},
      {"<ZQ><STS", "shorter than the header"},
      {"", "empty"},
  };
  for (const auto& c : cases) {
    const auto frame = Bytes(c.frame);
    BYTE out[8] = {9, 9};
    DWORD length = sizeof out;
    EXPECT_EQ(f.GetDataEthAnswer(out, length, kTag, kCode, frame.data(),
                                 static_cast<DWORD>(frame.size())),
              0)
        << c.why;
    EXPECT_EQ(out[0], 9) << c.why << ": a mismatch leaves the buffer alone";
  }
}

TEST(FrameParse, SizeLimitIs1024Bytes) {
  CCorvaneFunctions f;
  std::vector<BYTE> frame = Bytes("<ZQ><STSMOQ><CMD><");
  frame.resize(1025, 0x41);
  std::vector<BYTE> out(1024, 0xEE);
  DWORD length = 1024;
  EXPECT_EQ(f.GetDataEthAnswer(out.data(), length, kTag, kCode, frame.data(), 1025), 0);
  EXPECT_EQ(length, 1024u) << "refused before anything is touched";
  EXPECT_EQ(out[0], 0xEE);
  EXPECT_EQ(f.GetDataEthAnswer(out.data(), length, kTag, kCode, frame.data(), 1024), 1);
  EXPECT_EQ(length, 1024u - 19);
}

TEST(FrameParse, TooShortFramesZeroTheBuffer) {
  CCorvaneFunctions f;
  // Header + 1 byte: the data count wraps around and never fits.
  const auto frame = Bytes("<ZQ><STSMOQ><CMD><");
  std::vector<BYTE> out(16, 0xEE);
  DWORD length = 8;
  EXPECT_EQ(f.GetDataEthAnswer(out.data(), length, kTag, kCode, frame.data(), 18), 0);
  EXPECT_EQ(length, 0u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(out[i], 0) << i;
  for (int i = 8; i < 16; ++i) EXPECT_EQ(out[i], 0xEE) << "written past capacity at " << i;
}

TEST(FrameParse, SmallCapacityZeroesAndFails) {
  CCorvaneFunctions f;
  std::vector<BYTE> frame = Bytes("<ZQ><STSMOQ><CMD><ABCD>");
  BYTE out[6] = {1, 2, 3, 4, 5, 6};
  DWORD length = 3;
  EXPECT_EQ(f.GetDataEthAnswer(out, length, kTag, kCode, frame.data(),
                               static_cast<DWORD>(frame.size())),
            0);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(out[2], 0);
  EXPECT_EQ(out[3], 4);
  length = 4;
  EXPECT_EQ(f.GetDataEthAnswer(out, length, kTag, kCode, frame.data(),
                               static_cast<DWORD>(frame.size())),
            1);
  EXPECT_EQ(std::string(out, out + 4), "ABCD");
}

TEST(FrameRoundTrip, BuiltFrameParsesBack) {
  CCorvaneFunctions f;
  const std::vector<BYTE> data = {0x00, 0xFF, 0x3C, 0x3E, 0x80};
  std::vector<BYTE> frame(64);
  DWORD length = 64;
  ASSERT_EQ(f.FormatEthBuffToSend(frame.data(), length, kTag, L"<NAME>", data.data(), 5, '<', '>'), 1);
  std::vector<BYTE> out(5);
  DWORD outLength = 5;
  ASSERT_EQ(f.GetDataEthAnswer(out.data(), outLength, kTag, L"<NAME>", frame.data(), length), 1);
  EXPECT_EQ(out, data);
}

TEST(HexDump, BytesAsUpperCaseHexList) {
  CCorvaneFunctions f;
  const BYTE bytes[] = {0x3C, 0x02, 0x3E, 0xab};
  EXPECT_EQ(f.ByteToExCString(bytes, 3), L"0x3C,0x02,0x3E");
  EXPECT_EQ(f.ByteToExCString(bytes + 3, 1), L"0xAB");
  EXPECT_EQ(f.ByteToExCString(bytes, 0), L"");
  EXPECT_EQ(f.ByteToExCString(nullptr, 4), L"");
}

TEST(HexDump, FrameShowsHeaderAndDataBetweenBrackets) {
  CCorvaneFunctions f;
  const auto frame = StatusFrame();
  EXPECT_EQ(f.BufByteToExCString(frame.data(), 20, kTag, kCode), L"<ZQ><STSMOQ><CMD><0x02>");
  // Fewer than two bytes after the header: no hex part.
  EXPECT_EQ(f.BufByteToExCString(frame.data(), 18, kTag, kCode), L"<ZQ><STSMOQ><CMD><>");
  EXPECT_EQ(f.BufByteToExCString(frame.data(), 17, kTag, kCode), L"<ZQ><STSMOQ><CMD><>");
  // Shorter than the header: all bytes in hex.
  EXPECT_EQ(f.BufByteToExCString(frame.data(), 2, kTag, kCode), L"0x3C,0x5A");
}

TEST(AddressText, DwordToDotted) {
  CCorvaneFunctions f;
  EXPECT_EQ(f.dwordToStrIp(0), L"0.0.0.0");
  EXPECT_EQ(f.dwordToStrIp(0xC0A8010A), L"192.168.1.10");
  EXPECT_EQ(f.dwordToStrIp(0xFFFFFFFF), L"255.255.255.255");
}

TEST(AddressText, DottedToDword) {
  CCorvaneFunctions f;
  const struct { const wchar_t* text; DWORD value; } cases[] = {
      {L"192.168.1.10", 0xC0A8010A},
      {L"255.255.255.255", 0xFFFFFFFF},
      {L"10.1", 0x0A010000},
      {L"", 0},
      {L"0.0.0.0", 0},
      {L"10.77.255.255", 0x0A4DFFFF},
      {L"1.2.3.4.5", 0x01020304},  // only four groups count
  };
  for (const auto& c : cases) EXPECT_EQ(f.strIpToDword(c.text), c.value) << c.text;
}

TEST(AddressText, BroadcastFromAddressAndMask) {
  // How the UDP transport derives the subnet-directed broadcast.
  CCorvaneFunctions f;
  const DWORD ip = f.strIpToDword(L"10.77.0.2");
  const DWORD mask = f.strIpToDword(L"255.255.0.0");
  EXPECT_EQ(f.dwordToStrIp((ip & mask) | ~mask), L"10.77.255.255");
}

TEST(AddressText, MacGroupsAsDecimal) {
  CCorvaneFunctions f;
  EXPECT_EQ(f.strMacToDword(L"1-2-3-4-5-6"), 0x01020304u);
  EXPECT_EQ(f.strMacToDword(L"10.20-30.40"), 0x0A141E28u);
  EXPECT_EQ(f.strMacToDword(L""), 0u);
  EXPECT_EQ(f.strMacToDword(L"12"), 0x0C000000u);
}

}  // namespace
