#include <corvane/CZqSyncSocketCom.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using Decoder = BOOL (CZqSyncSocketCom::*)(BYTE*, DWORD, DWORD*);

struct NumberCase {
  Decoder decoder;
  std::string answer;
  BOOL understood;
  DWORD value;
};

TEST(AnswerDecoders, NumbersWithUnitsAndTwoValueBytes) {
  const NumberCase cases[] = {
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
  CZqSyncSocketCom com;
  for (const NumberCase& c : cases) {
    std::string bytes = c.answer;
    DWORD value = 0xDEAD;
    EXPECT_EQ((com.*c.decoder)(reinterpret_cast<BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size()), &value),
              c.understood)
        << c.answer;
    EXPECT_EQ(value, c.value) << c.answer;
  }
}

TEST(AnswerDecoders, AUnitSuffixIsZeroedInTheAnswer) {
  CZqSyncSocketCom com;
  std::string bytes = "12on";
  DWORD value = 0;
  ASSERT_TRUE(com.TherIsAPowerOnNumber(reinterpret_cast<BYTE*>(bytes.data()), 4, &value));
  EXPECT_EQ(bytes, std::string("12\0\0", 4));
}

TEST(AnswerDecoders, EnabledFlagsAndThreshold) {
  CZqSyncSocketCom com;
  const struct {
    std::string answer;
    BOOL understood;
    int value;
  } flags[] = {{"1Ren", 1, 1}, {"0Ren", 1, 0}, {"2Ren", 0, 0}, {"1Nen", 0, 0}, {"1Ren ", 0, 0}};
  for (const auto& c : flags) {
    std::string bytes = c.answer;
    int value = 7;
    EXPECT_EQ(com.TherIsRetractEnabled(reinterpret_cast<BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size()), &value),
              c.understood)
        << c.answer;
    EXPECT_EQ(value, c.value) << c.answer;
  }
  std::string notch = "1Nen";
  int enabled = 0;
  EXPECT_TRUE(com.TherIsNotchEnabled(reinterpret_cast<BYTE*>(notch.data()), 4, &enabled));
  EXPECT_EQ(enabled, 1);

  const struct {
    int byte;
    float volts;
  } thresholds[] = {{0, 0.0f}, {200, 3.9f}, {255, 5.0f}, {51, 1.0f}};
  for (const auto& c : thresholds) {
    std::string bytes = std::string(1, static_cast<char>(c.byte)) + "Nth";
    float volts = -1;
    EXPECT_TRUE(com.TherIsANotchThreshold(reinterpret_cast<BYTE*>(bytes.data()), 4, &volts));
    EXPECT_FLOAT_EQ(volts, c.volts) << c.byte;
  }
  std::string wrong = "\x10Nt";
  float volts = -1;
  EXPECT_FALSE(com.TherIsANotchThreshold(reinterpret_cast<BYTE*>(wrong.data()), 3, &volts));
  EXPECT_EQ(volts, 0.0f);
}

}  // namespace
