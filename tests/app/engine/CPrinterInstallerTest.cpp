// Installing printers into a CUPS scheduler of the test's own, with the
// registry store in a temporary file. Nothing is sent to a printer: the
// installer only talks to the scheduler over its Unix socket.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

#include "CPrintQueueAdmin.h"
#include "CPrinterInstaller.h"
#include "CQueueName.h"
#include "FileText.h"
#include "PrinterSetup.h"

namespace {

using Code = CPrinterInstaller::Code;

CPrinterInstaller::Request Front(const std::string& strQueue = "") {
  CPrinterInstaller::Request request;
  request.strAddress = L"10.77.16.1";
  request.strName = L"Lumen Desk 0001";
  request.strModel = L"Quillmark Compact";
  request.strQueue = strQueue;
  return request;
}

std::string DeviceOf(const std::string& strQueue) {
  CPrintQueueAdmin::Queue queue;
  const auto found = CPrintQueueAdmin::Find(strQueue, queue);
  return found.result == CPrintQueueAdmin::Result::kOk ? queue.strDeviceUri : "none";
}

const std::string kKeyOf1 = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Lumen_Desk_0001]";

TEST(CPrinterInstaller, InstallsQueueAndProtocolAndKeepsTheStoresOtherKeys) {
  PrinterSetup setup;
  ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
  setup.AddRegistryText("; by hand\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Other]\n"
                        "\"EthPrt\"=dword:00000001\n");
  const std::string before = FileText(setup.RegistryPath());

  CPrinterInstaller::Request request = Front();
  request.dwProtocol = CPrinterInstaller::kTcp;
  const auto result = CPrinterInstaller::Install(request);
  ASSERT_EQ(result.code, Code::kDone) << result.strMessage;
  EXPECT_EQ(result.strQueue, "Lumen_Desk_0001");
  EXPECT_EQ(DeviceOf("Lumen_Desk_0001"), "socket://10.77.16.1:9100");
  CPrintQueueAdmin::Queue queue;
  CPrintQueueAdmin::Find("Lumen_Desk_0001", queue);
  EXPECT_EQ(queue.strInfo, "Lumen Desk 0001 (Quillmark Compact)");
  const std::string after = FileText(setup.RegistryPath());
  EXPECT_EQ(after.substr(0, before.size()), before);
  EXPECT_NE(after.find(kKeyOf1 + "\n\"EthPrt\"=dword:00000001\n", before.size()),
            std::string::npos)
      << after;

  CPrintQueueAdmin::Queue byHost;
  ASSERT_TRUE(CPrintQueueAdmin::FindByHost("10.77.16.1", byHost));
  EXPECT_EQ(byHost.strName, "Lumen_Desk_0001");
  EXPECT_FALSE(CPrintQueueAdmin::FindByHost("10.77.16.10", byHost));

  // The same printer again: refused without --replace.
  EXPECT_EQ(CPrinterInstaller::Install(Front()).code, Code::kAlreadyInstalled);

  const auto removed = CPrinterInstaller::Uninstall("lumen_desk_0001");
  EXPECT_EQ(removed.code, Code::kDone) << removed.strMessage;
  EXPECT_EQ(DeviceOf("Lumen_Desk_0001"), "none");
  EXPECT_EQ(FileText(setup.RegistryPath()), before);
  EXPECT_EQ(CPrinterInstaller::Uninstall("Lumen_Desk_0001").code, Code::kNotFound);
}

TEST(CPrinterInstaller, TakenNamesGetASuffixOrAreReplacedOnRequest) {
  PrinterSetup setup;
  ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
  ASSERT_TRUE(setup.AddPrinter("Lumen_Desk_0001", "socket://10.9.9.9", -1));

  const auto suffixed = CPrinterInstaller::Install(Front());
  EXPECT_EQ(suffixed.strQueue, "Lumen_Desk_0001_2") << suffixed.strMessage;
  EXPECT_EQ(CPrinterInstaller::Install(Front("LUMEN_DESK_0001")).code, Code::kQueueTaken);
  EXPECT_EQ(DeviceOf("Lumen_Desk_0001"), "socket://10.9.9.9");

  CPrinterInstaller::Request replace = Front("Lumen_Desk_0001");
  replace.bReplace = true;
  replace.strUri = "lpd";
  EXPECT_EQ(CPrinterInstaller::Install(replace).code, Code::kDone);
  EXPECT_EQ(DeviceOf("Lumen_Desk_0001"), "lpd://10.77.16.1/queue");
}

// The queue comes first; a store that cannot be written takes it back.
TEST(CPrinterInstaller, AFailedStoreWriteTakesTheQueueBack) {
  PrinterSetup setup;
  ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
  ASSERT_TRUE(setup.AddPrinter("Kept", "socket://10.9.9.9", -1));
  const std::string blocked = setup.LockDir() + "/file";
  std::ofstream(blocked) << "a file where a folder should be";
  setenv("CORVANE_REGISTRY", (blocked + "/registry.reg").c_str(), 1);

  const auto fresh = CPrinterInstaller::Install(Front());
  EXPECT_EQ(fresh.code, Code::kStoreFailed);
  EXPECT_NE(fresh.strMessage.find("was removed again"), std::string::npos) << fresh.strMessage;
  EXPECT_EQ(DeviceOf("Lumen_Desk_0001"), "none");

  CPrinterInstaller::Request replace = Front("Kept");
  replace.bReplace = true;
  EXPECT_EQ(CPrinterInstaller::Install(replace).code, Code::kStoreFailed);
  EXPECT_EQ(DeviceOf("Kept"), "socket://10.9.9.9");
}

TEST(CPrinterInstaller, WithoutAdministratorRightsNothingIsWritten) {
  PrinterSetup setup(true);
  ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
  const std::string before = FileText(setup.RegistryPath());
  const auto result = CPrinterInstaller::Install(Front());
  EXPECT_EQ(result.code, Code::kNotAllowed);
  EXPECT_NE(result.strMessage.find("printer administrators' group"), std::string::npos)
      << result.strMessage;
  EXPECT_EQ(FileText(setup.RegistryPath()), before);
  EXPECT_EQ(DeviceOf("Lumen_Desk_0001"), "none");
}

TEST(CPrinterInstaller, UrisNamesAndDescriptions) {
  std::string error;
  EXPECT_EQ(CPrinterInstaller::DeviceUri("", L"10.0.0.7", error), "socket://10.0.0.7:9100");
  EXPECT_EQ(CPrinterInstaller::DeviceUri("ipp", L"10.0.0.7", error), "ipp://10.0.0.7/ipp/print");
  EXPECT_EQ(CPrinterInstaller::DeviceUri("ipps://p7.example/x", L"10.0.0.7", error),
            "ipps://p7.example/x");
  EXPECT_EQ(CPrinterInstaller::DeviceUri("usb://Maker/Model", L"10.0.0.7", error), "");
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(CPrinterInstaller::Description(L"-*-*-", L"Quillmark Wide"), "Quillmark Wide");

  const std::vector<std::pair<std::pair<std::wstring, std::wstring>, std::string>> names = {
      {{L"Lumen Desk 0001", L"Quillmark"}, "Lumen_Desk_0001"},
      {{L"  Büro/2.OG  ", L"Quillmark"}, "B_ro_2_OG"},
      {{L"-*-*-", L"Quillmark Wide"}, "Quillmark_Wide"},
      {{L"###", L"-|-|-"}, "Printer"},
  };
  for (const auto& [printer, expected] : names)
    EXPECT_EQ(CQueueName::FromPrinter(printer.first, printer.second), expected);
  const std::string longest(127, 'q');
  EXPECT_EQ(CQueueName::FirstFree(longest, {longest}), std::string(125, 'q') + "_2");
  EXPECT_EQ(CQueueName::FirstFree("A", {"a", "A_2"}), "A_3");
  EXPECT_TRUE(CQueueName::IsValid(longest));
  EXPECT_FALSE(CQueueName::IsValid(longest + "q"));
  EXPECT_FALSE(CQueueName::IsValid("front desk"));
}

}  // namespace
