#include <corvane/CZqSyncSocketCom.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using NumberDecoder = BOOL (CZqSyncSocketCom::*)(BYTE*, DWORD, DWORD*);
using FlagDecoder = BOOL (CZqSyncSocketCom::*)(BYTE*, DWORD, int*);

// Runs a decoder on a copy of the answer: whether it understood it, and the value.
template <typename Decoder, typename T>
std::pair<BOOL, T> Decode(Decoder decoder, std::string answer, T initial) {
  CZqSyncSocketCom com;
  T value = initial;
  const BOOL understood = (com.*decoder)(reinterpret_cast<BYTE*>(answer.data()),
                                         static_cast<DWORD>(answer.size()), &value);
  return {understood, value};
}

TEST(AnswerDecoders, NumbersWithUnitsAndTwoValueBytes) {
  const struct {
    NumberDecoder decoder;
    std::string answer;
    BOOL understood;
    DWORD value;
  } cases[] = {
      {&CZqSyncSocketCom::TherIsAPowerOnNumber, "1234on", 1, 1234},
      {&CZqSyncSocketCom::TherIsAPowerOnNumber, "1234of", 0, 0},
      {&CZqSyncSocketCom::TherIsAPowerOnNumber, "n", 0, 0},
      {&CZqSyncSocketCom::TherIsAPowerOnNumber, " -5on", 1, static_cast<DWORD>(-5)},
      {&CZqSyncSocketCom::TherIsAPowerOnNumber, "99999999999999on", 1, 2147483647},
      {&CZqSyncSocketCom::TherIsNumTotCuts, "7cuts", 1, 7},
      {&CZqSyncSocketCom::TherIsNumTotCuts, "cuts", 1, 0},
      {&CZqSyncSocketCom::TherIsNumTotCuts, "12x3cuts", 1, 12},
      {&CZqSyncSocketCom::TherIsARetractNumber, "42ret", 1, 42},
      {&CZqSyncSocketCom::TherIsALength, "750cm", 1, 750},
      {&CZqSyncSocketCom::TherIsALength, "750mm", 0, 0},
      {&CZqSyncSocketCom::TherIsATimeToCut, std::string("\x03\x07") + "CutT", 1, 37},
      {&CZqSyncSocketCom::TherIsATimeToCut, std::string("\xFF\x09") + "CutT", 1, 2559},
      {&CZqSyncSocketCom::TherIsATimeToCut, std::string("\x03\x07\x01") + "CutT", 0, 0},
      {&CZqSyncSocketCom::TherIsANotchDist, std::string("\x0C\x05") + "Dist", 1, 125},
      {&CZqSyncSocketCom::TherIsANotchDist, std::string("\x0C\x05") + "CutT", 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Decode(c.decoder, c.answer, DWORD{0xDEAD}), std::make_pair(c.understood, c.value))
        << c.answer;
}

TEST(AnswerDecoders, AUnitSuffixIsZeroedInTheAnswer) {
  CZqSyncSocketCom com;
  std::string bytes = "12on";
  DWORD value = 0;
  ASSERT_TRUE(com.TherIsAPowerOnNumber(reinterpret_cast<BYTE*>(bytes.data()), 4, &value));
  EXPECT_EQ(bytes, std::string("12\0\0", 4));
}

TEST(AnswerDecoders, EnabledFlagsAndThreshold) {
  const FlagDecoder retract = &CZqSyncSocketCom::TherIsRetractEnabled;
  const struct {
    FlagDecoder decoder;
    std::string answer;
    BOOL understood;
    int value;
  } flags[] = {{retract, "1Ren", 1, 1}, {retract, "0Ren", 1, 0}, {retract, "2Ren", 0, 0},
               {retract, "1Nen", 0, 0}, {retract, "1Ren ", 0, 0},
               {&CZqSyncSocketCom::TherIsNotchEnabled, "1Nen", 1, 1}};
  for (const auto& c : flags)
    EXPECT_EQ(Decode(c.decoder, c.answer, 7), std::make_pair(c.understood, c.value)) << c.answer;

  const struct {
    std::string answer;
    BOOL understood;
    float volts;
  } thresholds[] = {{std::string(1, '\0') + "Nth", 1, 0.0f}, {"\xC8Nth", 1, 3.9f},
                    {"\xFFNth", 1, 5.0f}, {"\x33Nth", 1, 1.0f}, {"\x10Nt", 0, 0.0f}};
  for (const auto& c : thresholds) {
    const auto [understood, volts] = Decode(&CZqSyncSocketCom::TherIsANotchThreshold, c.answer, -1.0f);
    EXPECT_EQ(understood, c.understood) << c.answer;
    EXPECT_FLOAT_EQ(volts, c.volts) << c.answer;
  }
}

}  // namespace
