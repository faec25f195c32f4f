#include "CPrinterSurvey.h"
#include "CSetVerifier.h"
#include "FakeTransport.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

const CPrinterSettings kSent{L"Hall 2", L"10.77.40.7", L"255.255.255.0", L"10.77.40.1", L"0"};

SimPrinter Printer(const std::string& ip, const std::string& mask = "255.255.255.0") {
  return {ip, "02-51-4D-00-00-02", "Hall 2", "Quillmark Wide", mask, "10.77.40.1", "0"};
}

struct Rig {
  FakeTransport transport;
  std::vector<std::wstring> lines;
  CSetVerifier::Verification Verify(const CPrinterSettings& sent = kSent) {
    transport.m_bWaitTimeouts = true;
    CSetVerifier verifier({15000, 15001, 1, 300}, transport,
                          [this](const std::wstring& s) { lines.push_back(s); },
                          {300ms, 100ms, 200ms, 200ms});
    return verifier.Verify(L"02:51:4D:00:00:02", sent);
  }
};

}  // namespace

TEST(SetVerifier, FoundAtTheNewAddressAndAskedForItsFields) {
  Rig rig;
  rig.transport.m_BytesResponder = UnicastResponder({Printer("10.77.40.7", "255.255.0.0")});
  const auto v = rig.Verify();
  EXPECT_EQ(v.eResult, CSetVerifier::EResult::kVerified);
  EXPECT_EQ(v.reported.strName, L"Hall 2");
  EXPECT_EQ(v.Text(), L"verified at the new address (10.77.40.7); but it reports subnet mask "
                      L"255.255.0.0 instead of 255.255.255.0");
  EXPECT_TRUE(rig.transport.Sent().empty());  // no broadcast needed
  EXPECT_EQ(rig.transport.SentTo().size(), 6u);  // the discovery request and five fields
  EXPECT_EQ(rig.transport.m_dwOpenedPort, 15001u);
  EXPECT_EQ(rig.lines.back(), L"<VERIFY> 02:51:4D:00:00:02: " + v.Text());
}

TEST(SetVerifier, FieldsTheSetLeftAsTheyWereAreNoDifference) {
  Rig rig;
  rig.transport.m_BytesResponder = UnicastResponder({Printer("10.77.40.7")});
  CPrinterSettings kept = kSent;
  kept.strName.clear();
  kept.strDhcp.clear();
  const auto v = rig.Verify(kept);
  EXPECT_EQ(v.eResult, CSetVerifier::EResult::kVerified);
  EXPECT_TRUE(v.differences.empty()) << v.Text();
}

TEST(SetVerifier, SeenOnlyWhereItWasOrNotAtAll) {
  Rig stayed;
  stayed.transport.m_Responder = PrinterResponder({Printer("10.77.16.2")});
  const auto v = stayed.Verify();
  EXPECT_EQ(v.eResult, CSetVerifier::EResult::kNotAtNewAddress);
  EXPECT_EQ(v.Text(), L"confirmed, but not seen at the new address yet (last seen at 10.77.16.2)");
  EXPECT_EQ(stayed.transport.SentCount(L"<ZQ><0000>"), 1u);
  EXPECT_GE(stayed.transport.SentTo().size(), 2u);  // the new address asked again

  Rig silent;  // a stranger at the new address does not count
  silent.transport.m_BytesResponder = UnicastResponder(
      {{"10.77.40.7", "02-51-4D-00-00-99", "x", "x", "x", "x", "x"}});
  const auto n = silent.Verify();
  EXPECT_EQ(n.eResult, CSetVerifier::EResult::kNoAnswer);
  EXPECT_EQ(n.Text(), L"no answer (neither at 10.77.40.7 nor to a broadcast)");
  EXPECT_EQ(n.Name(), L"no answer");
  EXPECT_EQ(silent.transport.m_dwCloseCalls, 1u);
}

TEST(PrinterSurvey, EveryPrinterOnceAndTheFieldsOfThoseAskedFor) {
  FakeTransport transport;
  transport.m_bWaitTimeouts = true;
  const std::vector<SimPrinter> printers = {Printer("10.77.16.1"), Printer("10.77.16.2")};
  std::vector<SimPrinter> both = printers;
  both[1].mac = "02-51-4D-00-00-03";
  both.push_back(both[0]);  // a printer that answers twice
  transport.m_Responder = PrinterResponder(both);
  transport.m_BytesResponder = UnicastResponder(both);
  std::vector<_DeviceInfo> devices;
  CPrinterSurvey survey({15000, 15001, 1, 300}, transport, {}, {200ms, 200ms});
  ASSERT_EQ(survey.Run(devices, [](const std::wstring& mac) { return mac.ends_with(L"03"); }), 0u);
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[0].strIpAddress + L" " + devices[0].strName, L"10.77.16.1 ");
  EXPECT_EQ(devices[1].strMacAddress + L" " + devices[1].strSubnetMask + L" " + devices[1].strName,
            L"02-51-4D-00-00-03 255.255.255.0 Hall 2");
  EXPECT_EQ(transport.SentTo().size(), 5u);  // the fields of one printer
  transport.m_dwOpenResult = 1;
  EXPECT_EQ(survey.Run(devices, [](const std::wstring&) { return true; }), 1u);
}
