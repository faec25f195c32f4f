// The typed message: element rules and the exact serialised layout.
#include <corvane/CCorvaneArchive.h>
#include <corvane/CCorvaneMessage.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "WireBytes.h"
#include "messaging/MessageFramer.h"

using corvane::testing::Concat;
using corvane::testing::ToBytes;
using Bytes = std::vector<BYTE>;

namespace {

CCorvaneMessage Load(const Bytes& bytes, CCorvaneArchive::Error expected = CCorvaneArchive::kNone) {
  CCorvaneMessage msg;
  CCorvaneArchive ar(bytes.data(), bytes.size());
  msg.Serialize(ar);
  EXPECT_EQ(ar.GetError(), expected);
  return msg;
}

// The element at index i read as a T, starting from `initial` (which an
// ignored read leaves).
template <typename T>
T ElementAs(const CCorvaneMessage& msg, int i, T initial = T{}) {
  msg.GetAt(i, initial);
  return initial;
}

TEST(MessageElements, SetAtPastTheEndFillsWithEmptyStrings) {
  CCorvaneMessage msg;
  msg.SetAt(5, 42);
  ASSERT_EQ(msg.GetNbElements(), 6);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(msg.GetDataTypeAt(i), DT_STRING);
    EXPECT_EQ(ElementAs<std::wstring>(msg, i, L"x"), L"");
  }
  EXPECT_EQ(ElementAs<int>(msg, 5), 42);
  msg.SetAt(5, std::wstring(L"replaced"));
  EXPECT_EQ(msg.GetNbElements(), 6);
  EXPECT_EQ(msg.GetDataTypeAt(5), DT_STRING);
}

TEST(MessageElements, OutOfRangeIndexesLeaveEverythingAlone) {
  CCorvaneMessage msg;
  EXPECT_NE(msg.IsLastCurrentIndex(), 0);
  EXPECT_EQ(msg.GetDataTypeAt(0), DT_STRING);
  msg.SetAt(-1, 3);
  // Past the element limit: no list of two billion elements (or a throw).
  msg.SetAt(CCorvaneMessage::kMaxElements, 3);
  msg.SetAt(INT32_MAX, std::wstring(L"far"));
  EXPECT_EQ(msg.GetNbElements(), 0);
  msg.Add(7);
  EXPECT_EQ(ElementAs<int>(msg, -1, 99), 99);
  EXPECT_EQ(ElementAs<int>(msg, 1, 99), 99);
  BYTE buf[2] = {0xEE, 0xEE};
  msg.GetAt(1, buf, 2);
  EXPECT_EQ(buf[0], 0xEE);
}

TEST(MessageElements, GetNextAdvancesEvenPastTheEnd) {
  CCorvaneMessage msg;
  msg.Add(10);
  msg.Add(20);
  int a = 0, b = 0, c = 77;
  msg.GetNext(a);
  EXPECT_EQ(msg.IsLastCurrentIndex(), 0);
  msg.GetNext(b);
  EXPECT_NE(msg.IsLastCurrentIndex(), 0);
  msg.GetNext(c);
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 20);
  EXPECT_EQ(c, 77);
  EXPECT_EQ(msg.GetCurrentIndex(), 3);
  msg.ResetCurrentIndex();
  msg.GetNext(c);
  EXPECT_EQ(c, 10);
}

TEST(MessageElements, ReadingAcrossTypesTakesTheLowOrderBytes) {
  CCorvaneMessage msg;
  msg.Add(0x12345678ul);
  msg.Add(std::wstring(L"text"));
  msg.Add(-2l);
  EXPECT_EQ(ElementAs<BYTE>(msg, 0), 0x78);
  EXPECT_EQ(ElementAs<WORD>(msg, 0), 0x5678);
  EXPECT_EQ(ElementAs<double>(msg, 1, 1.0), 0.0);
  EXPECT_EQ(ElementAs<int>(msg, 1, 5), 0);
  EXPECT_EQ(ElementAs<long>(msg, 2), -2);
  EXPECT_EQ(ElementAs<unsigned long>(msg, 2), 0xFFFFFFFEul);
  EXPECT_EQ(ElementAs<std::wstring>(msg, 0, L"keep"), L"");
}

TEST(MessageElements, BufferReadsCopyTheSmallerLengthOnlyFromBuffers) {
  CCorvaneMessage msg;
  const BYTE five[] = {1, 2, 3, 4, 5};
  msg.Add(five, 5);
  msg.Add(7l);
  BYTE out[2] = {0, 0};
  msg.GetAt(0, out, 2);
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(out[1], 2);
  BYTE untouched[4] = {9, 9, 9, 9};
  msg.GetAt(1, untouched, 4);
  EXPECT_EQ(untouched[0], 9);
  BYTE big[8] = {};
  msg.GetAt(0, big, 8);
  EXPECT_EQ(std::memcmp(big, five, 5), 0);
  EXPECT_EQ(big[5], 0);
  msg.GetAt(0, nullptr, 8);  // a null destination copies nothing
}

// The layouts that peers depend on, byte for byte.
TEST(MessageWire, ElementLayouts) {
  struct Case {
    const char* name;
    CCorvaneMessageData element;
    Bytes bytes;
  };
  const BYTE three[] = {0xA1, 0xA2, 0xA3};
  const Case cases[] = {
      {"byte AB", CCorvaneMessageData(BYTE{0xAB}), {0x00, 0xAB, 0, 0, 0, 0, 0, 0, 0}},
      {"string abc", CCorvaneMessageData(std::wstring(L"abc")),
       {0x0A, 0xFF, 0xFE, 0xFF, 0x03, 0x61, 0x00, 0x62, 0x00, 0x63, 0x00}},
      {"empty string", CCorvaneMessageData(), {0x0A, 0xFF, 0xFE, 0xFF, 0x00}},
      {"buffer of 3", CCorvaneMessageData(three, 3), {0x0B, 3, 0, 0, 0, 0xA1, 0xA2, 0xA3}},
      {"buffer of 0", CCorvaneMessageData(nullptr, 0), {0x0B, 0, 0, 0, 0}},
      {"short -1", CCorvaneMessageData(short{-1}), {0x03, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}},
      {"long -1", CCorvaneMessageData(-1l), {0x07, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
      {"float 1", CCorvaneMessageData(1.0f), {0x08, 0, 0, 0x80, 0x3F, 0, 0, 0, 0}},
      {"double 1", CCorvaneMessageData(1.0), {0x09, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
      {"string U+1F600", CCorvaneMessageData(std::wstring(1, wchar_t(0x1F600))),
       {0x0A, 0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE}},
  };
  for (const Case& c : cases) {
    Bytes header = {7, 0, 0, 0, 1, 0, 0, 0};
    CCorvaneMessage wire = Load(Concat({header, c.bytes}));
    EXPECT_EQ(ToBytes(wire), Concat({header, c.bytes})) << c.name;
    EXPECT_EQ(wire.GetDataTypeAt(0), c.element.m_type) << c.name;
    EXPECT_EQ(wire.GetNbElements(), 1) << c.name;
  }
}

TEST(MessageWire, StringLengthEscalation) {
  struct Case {
    std::size_t length;
    Bytes lengthField;
  };
  const Case cases[] = {
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {300, {0xFF, 0x2C, 0x01}},
      {0xFFFD, {0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    CCorvaneMessage msg;
    std::wstring text(c.length, L'x');
    msg.Add(text);
    Bytes bytes = ToBytes(msg);
    Bytes field(bytes.begin() + 12, bytes.begin() + 12 + static_cast<long>(c.lengthField.size()));
    EXPECT_EQ(field, c.lengthField) << c.length;
    EXPECT_EQ(bytes.size(), 12 + c.lengthField.size() + 2 * c.length) << c.length;
    EXPECT_EQ(ElementAs<std::wstring>(Load(bytes), 0), text) << c.length;
  }
}

TEST(MessageWire, RoundTripKeepsEveryValueAndCode) {
  CCorvaneMessage msg(-12345);
  msg.Add(BYTE{200});
  msg.Add(char(-3));
  msg.Add(WORD{65000});
  msg.Add(short{-30000});
  msg.Add(4000000000u);
  msg.Add(-2000000000);
  msg.Add(3000000000ul);
  msg.Add(-1000000000l);
  msg.Add(-1.5f);
  msg.Add(3.141592653589793);
  std::wstring text = L"caf\u00e9 \u4e2d " + std::wstring(1, wchar_t(0x10348));
  msg.Add(text);
  const BYTE raw[] = {0, 255, 7};
  msg.Add(raw, 3);
  CCorvaneMessage back = Load(ToBytes(msg));
  EXPECT_EQ(back.GetId(), -12345);
  ASSERT_EQ(back.GetNbElements(), 12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(back.GetDataTypeAt(i), static_cast<CorvaneDataType>(i));
  EXPECT_EQ(ToBytes(back), ToBytes(msg));
  EXPECT_EQ(ElementAs<float>(back, 8), -1.5f);
  EXPECT_EQ(ElementAs<std::wstring>(back, 10), text);
  EXPECT_EQ(ElementAs<char>(back, 1), -3);
}

// Eight-bit strings (short and long length form) are read one byte per
// character; an unknown code keeps its code and eight bytes.
TEST(MessageWire, EightBitStringsAndUnknownCodes) {
  const Bytes header = {5, 0, 0, 0, 2, 0, 0, 0};
  CCorvaneMessage msg =
      Load(Concat({header, {0x0A, 0x03, 'a', 0xE9, 'z'}, {0x0A, 0xFF, 0x02, 0x00, 'h', 'i'}}));
  EXPECT_EQ(ElementAs<std::wstring>(msg, 0), L"a\u00e9z");
  EXPECT_EQ(ElementAs<std::wstring>(msg, 1), L"hi");

  const Bytes unknown = {1, 0, 0, 0, 1, 0, 0, 0, 0xC8, 1, 2, 3, 4, 5, 6, 7, 8};
  msg = Load(unknown);
  EXPECT_EQ(static_cast<int>(msg.GetDataTypeAt(0)), 200);
  EXPECT_EQ(ElementAs<unsigned int>(msg, 0), 0x04030201u);
  EXPECT_EQ(ToBytes(msg), unknown);
}

TEST(MessageWire, LoadingReplacesContentAndRewinds) {
  CCorvaneMessage msg(9);
  msg.Add(1);
  msg.Add(2);
  int x;
  msg.GetNext(x);
  Bytes empty = {4, 0, 0, 0, 0, 0, 0, 0};
  CCorvaneArchive ar2(empty.data(), empty.size());
  msg.Serialize(ar2);
  EXPECT_EQ(msg.GetId(), 4);
  EXPECT_EQ(msg.GetNbElements(), 0);
  EXPECT_EQ(msg.GetCurrentIndex(), 0);
  Bytes negative = {4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(Load(negative).GetNbElements(), 0);
}

TEST(MessageWire, TruncatedOrOverlongInputFailsWithoutAllocating) {
  struct Case {
    const char* name;
    Bytes bytes;
  };
  const Case cases[] = {
      {"header cut", {1, 0, 0}},
      {"element missing", {1, 0, 0, 0, 1, 0, 0, 0}},
      {"number cut", {1, 0, 0, 0, 1, 0, 0, 0, 0x07, 1, 2}},
      {"huge count", {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0x00}},
      {"wide length 2^64-1", {1, 0, 0, 0, 1, 0, 0, 0, 0x0A, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF,
                              0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"8-bit length 4 GiB", {1, 0, 0, 0, 1, 0, 0, 0, 0x0A, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF}},
      {"buffer 4 GiB", {1, 0, 0, 0, 1, 0, 0, 0, 0x0B, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2}},
      {"string header cut", {1, 0, 0, 0, 1, 0, 0, 0, 0x0A, 0xFF, 0xFE}},
  };
  for (const Case& c : cases) {
    CCorvaneMessage msg = Load(c.bytes, CCorvaneArchive::kEndOfFile);
    EXPECT_EQ(msg.GetNbElements(), 0) << c.name;
  }
}

TEST(MessageArchive, DirectionSinkErrorsAndLargeWrites) {
  corvane::testing::VectorSink sink;
  CCorvaneArchive out(sink, 16);
  EXPECT_EQ(out.ReadUInt(4), 0u);
  EXPECT_EQ(out.GetError(), CCorvaneArchive::kWrongDirection);
  Bytes bytes = {1, 2};
  CCorvaneArchive in(bytes.data(), bytes.size());
  in.WriteUInt(1, 1);
  EXPECT_EQ(in.GetError(), CCorvaneArchive::kWrongDirection);

  // Writes larger than the archive's buffer pass it in order.
  CCorvaneArchive ar(sink, 16);
  Bytes big(100);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<BYTE>(i);
  ar.WriteUInt(0xAA, 1);
  ar.WriteBytes(big.data(), big.size());
  ar.WriteUInt(0xBB, 1);
  ASSERT_TRUE(ar.Flush());
  ASSERT_EQ(sink.bytes.size(), 102u);
  EXPECT_EQ(sink.bytes.front(), 0xAA);
  EXPECT_EQ(sink.bytes[50], 49);
  EXPECT_EQ(sink.bytes.back(), 0xBB);

  sink.bytes.clear();
  sink.failing = true;
  CCorvaneArchive failing(sink);
  CCorvaneMessage msg(1);
  msg.Serialize(failing);
  EXPECT_TRUE(sink.bytes.empty());  // nothing leaves before the flush
  EXPECT_FALSE(failing.Flush());
  EXPECT_EQ(failing.GetError(), CCorvaneArchive::kFileError);
}

}  // namespace

// The framer finds the end of unusual but valid messages, and refuses from
// the announced sizes alone a message beyond the limits (a count at the limit
// waits for its elements). The client and the server end a connection on
// such a refusal (their BadInput cases).
TEST(MessageFraming, EndsAndLimitsAreJudgedFromTheAnnouncedSizes) {
  using corvane::detail::MessageFramer;
  using Status = MessageFramer::Status;
  const auto count = [](std::int32_t n) {
    Bytes header = {1, 0, 0, 0};
    for (int b = 0; b < 4; ++b) header.push_back(static_cast<BYTE>(n >> (8 * b)));
    return header;
  };
  const Bytes one = count(1);
  const struct {
    const char* name;
    Bytes bytes;
    Status status;
  } cases[] = {
      {"unknown code", Concat({one, {0xEE, 1, 2, 3, 4, 5, 6, 7, 8}}), Status::kComplete},
      {"8-bit string", Concat({one, {0x0A, 0x02, 'o', 'k'}}), Status::kComplete},
      {"negative count", count(-16), Status::kComplete},
      {"count at the limit", count(CCorvaneMessage::kMaxElements), Status::kNeedMore},
      {"count beyond the limit", count(CCorvaneMessage::kMaxElements + 1), Status::kTooLarge},
      {"buffer beyond the maximum", Concat({one, {0x0B, 0xFF, 0xFF, 0xFF, 0x0F}}), Status::kTooLarge},
      {"8-bit string beyond the maximum", Concat({one, {0x0A, 0xFF, 0xFF, 0xFF, 0, 0, 0, 8}}),
       Status::kTooLarge},
      {"huge wide string", Concat({one, {0x0A, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                         0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}}),
       Status::kTooLarge},
  };
  for (const auto& c : cases) {
    MessageFramer framer;
    EXPECT_EQ(framer.Scan(c.bytes.data(), c.bytes.size()), c.status) << c.name;
    if (c.status == Status::kComplete) {
      EXPECT_EQ(framer.MessageSize(), c.bytes.size()) << c.name;
    }
  }
}
