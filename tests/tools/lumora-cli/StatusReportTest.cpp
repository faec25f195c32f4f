#include <gtest/gtest.h>

#include "CPrinterStatusReader.h"
#include "StatusReport.h"

namespace {

CPrinterStatus Read() {
  CPrinterStatus status;
  status.strQueue = "Front";
  status.strDeviceUri = "socket://10.0.0.7:9100";
  status.iProtocol = 0;
  status.values = CPrinterStatusReader::Blank();
  for (CPrinterStatus::Value& value : status.values) value.bAsked = true;
  status.values[0].bytes = {0x01, 0xA0};                 // status bytes
  status.values[2].bytes = {'V', '1', '.', '2'};         // release
  status.values[8].dwNumber = 750;                       // paper remaining
  status.values[11].dwNumber = 1;                        // retract enabled
  status.values[14].fVolts = 3.9f;                       // notch threshold
  status.values[5].dwResult = 0x1000;                    // power-on count
  return status;
}

TEST(StatusReport, EveryKindOfValueInJson) {
  const nlohmann::json values = StatusReport::Json(Read())["values"];
  EXPECT_EQ(values["status_bytes"], (nlohmann::json{{"result", 0}, {"hex", "01 A0"}}));
  EXPECT_EQ(values["release"]["text"], "V1.2");
  EXPECT_EQ(values["paper_remaining"], (nlohmann::json{{"result", 0}, {"value", 750}, {"unit", "cm"}}));
  EXPECT_EQ(values["retract_enabled"]["value"], true);
  EXPECT_EQ(values["notch_threshold"]["value"], 3.9);
  EXPECT_EQ(values["power_on_count"],
            (nlohmann::json{{"result", 4096}, {"error", "answer not understood"}}));
}

TEST(StatusReport, WatchShowsOnlyWhatChanged) {
  const CPrinterStatus before = Read();
  EXPECT_EQ(StatusReport::ChangesText(before, before, "10:00:00"), "");
  EXPECT_TRUE(StatusReport::ChangesJson(before, before, "10:00:00").is_null());

  CPrinterStatus now = before;
  now.values[8].dwNumber = 749;
  now.values[5].dwResult = 0;
  now.values[5].dwNumber = 1235;
  EXPECT_EQ(StatusReport::ChangesText(before, now, "10:00:05"),
            "10:00:05  Power-on count: failed: answer not understood (4096) -> 1235\n"
            "10:00:05  Paper remaining: 750 cm -> 749 cm\n");
  now.state = CPrinterStatus::State::kBusy;
  const nlohmann::json changes = StatusReport::ChangesJson(before, now, "10:00:05");
  EXPECT_EQ(changes["state"], "busy");
  EXPECT_EQ(changes["values"].size(), 2u);
  EXPECT_EQ(changes["values"]["paper_remaining"]["value"], 749);
}

}  // namespace
