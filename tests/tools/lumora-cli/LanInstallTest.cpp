// From found to printing: lumora-cli discover, install, status and
// uninstall against printer-sim on peer 1 (printers from 10.77.16.1), with
// queues in a CUPS scheduler of the test's own and the registry store in a
// temporary file. Runs only inside the virtual LAN.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>

#include <nlohmann/json.hpp>

#include "CliCopy.h"
#include "FileText.h"
#include "LanSimulatorTest.h"
#include "UniqueFd.h"

namespace {

using namespace std::chrono_literals;

class LanInstall : public LanSimulatorTest<2> {
 protected:
  std::string Lpstat() {
    ChildRun lpstat({"lpstat", "-h", setup.Cups().Socket(), "-v"});
    lpstat.Wait(20s);
    return lpstat.Out();
  }

  CliCopy cli;
};

TEST_F(LanInstall, AFoundPrinterIsInstalledAndTellsItsStatus) {
  StartSim({});
  const auto found = cli.Run({"discover", "--json"});
  ASSERT_EQ(found.exit, 0) << found.err;
  std::string mac;
  for (const auto& device : nlohmann::json::parse(found.out))
    if (device["ip"] == "10.77.16.1") mac = device["mac"];
  ASSERT_FALSE(mac.empty()) << found.out;

  const auto byMac = cli.Run({"install", "--mac", mac});
  EXPECT_EQ(byMac.exit, 0) << byMac.err;
  EXPECT_EQ(byMac.out, "installed Lumen_Desk_0001 -> socket://10.77.16.1:9100 (UDP, " +
                           setup.RegistryPath() + ")\n");
  const auto byIp = cli.Run({"install", "--ip", "10.77.16.2", "--protocol", "tcp"});
  EXPECT_EQ(byIp.exit, 0) << byIp.err;
  const std::string queues = Lpstat();
  EXPECT_NE(queues.find("device for Lumen_Desk_0001: socket://10.77.16.1:9100\n"),
            std::string::npos) << queues;
  EXPECT_NE(queues.find("device for Lumen_Desk_0002: socket://10.77.16.2:9100\n"),
            std::string::npos) << queues;
  EXPECT_NE(FileText(setup.RegistryPath()).find("Lumen_Desk_0002]\r\n\"EthPrt\"=dword:00000001"),
            std::string::npos);

  const auto udp = cli.Run({"status", "Lumen_Desk_0001"});
  EXPECT_EQ(udp.exit, 0) << udp.err;
  for (const char* line : {"Protocol  UDP\n", "01 02 03 04 05 06\n", "56 31 2E 32  \"V1.2\"\n",
                           "750 cm\n", "3.9 V\n", "1234\n", "enabled\n", "disabled\n",
                           "what each bit means is not known"})
    EXPECT_NE(udp.out.find(line), std::string::npos) << line << "\n" << udp.out;

  const auto tcp = cli.Run({"status", "Lumen_Desk_0002", "--json"});
  EXPECT_EQ(tcp.exit, 0) << tcp.err;
  const nlohmann::json status = nlohmann::json::parse(tcp.out);
  EXPECT_EQ(status["protocol"], "tcp");
  EXPECT_EQ(status["state"], "complete");
  ASSERT_EQ(status["values"].size(), 15u);
  // Every value read over TCP too (the JSON forms of each kind: StatusReportTest).
  for (const auto& [key, value] : status["values"].items()) EXPECT_EQ(value["result"], 0) << key;
  EXPECT_EQ(status["values"]["time_to_cut"]["value"], 37);
  EXPECT_EQ(status["values"]["gsi"]["hex"], "12");

  const auto removed = cli.Run({"uninstall", "Lumen_Desk_0001"});
  EXPECT_EQ(removed.exit, 0) << removed.err;
  EXPECT_EQ(Lpstat().find("Lumen_Desk_0001"), std::string::npos);
  EXPECT_EQ(FileText(setup.RegistryPath()).find("Lumen_Desk_0001"), std::string::npos);
}

TEST_F(LanInstall, FailedValuesAreShownOneByOneAndABusyPrinterAsBusy) {
  // Power-on count "1234of", retract flag "2Ren".
  StartSim({"--answer", "1DE5=313233346F66", "--retract-enabled", "2"});
  ASSERT_TRUE(setup.AddPrinter("Front", "socket://10.77.16.1:9100", 1));
  ASSERT_TRUE(setup.AddPrinter("FrontUdp", "socket://10.77.16.1:9100", 0));
  const auto text = cli.Run({"status", "Front"});
  EXPECT_EQ(text.exit, 0) << text.err;
  EXPECT_NE(text.out.find("Power-on count    failed: answer not understood (4096)\n"),
            std::string::npos) << text.out;
  EXPECT_NE(text.out.find("Retract           failed: answer not understood (4096)\n"),
            std::string::npos) << text.out;
  const auto json = cli.Run({"status", "FrontUdp", "--json"});
  const nlohmann::json values = nlohmann::json::parse(json.out)["values"];
  EXPECT_EQ(values["power_on_count"]["result"], 4096);
  EXPECT_EQ(values["cut_count"]["value"], 5678);

  // Another program holds the printer's lock.
  const std::string lock = setup.LockDir() + "/corvane-10.77.16.1;9100.lock";
  UniqueFd held(::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
  ASSERT_EQ(::flock(held.Get(), LOCK_EX), 0);
  const auto busy = cli.Run({"status", "Front"});
  EXPECT_EQ(busy.exit, 3) << busy.out << busy.err;
  EXPECT_NE(busy.out.find("Status    the printer is busy: another program is talking to it"),
            std::string::npos) << busy.out;
  EXPECT_NE(busy.out.find("Status bytes      failed: busy"), std::string::npos) << busy.out;
  EXPECT_NE(busy.out.find("GSI byte          not asked"), std::string::npos) << busy.out;

  const auto missing = cli.Run({"status", "NoSuchQueue"});
  EXPECT_EQ(missing.exit, 1);
  EXPECT_NE(missing.out.find("there is no print queue NoSuchQueue"), std::string::npos) << missing.out;
}

}  // namespace
