// The SET command in the simulator: reading it, which printer takes it, what
// it answers, and that the printer then reports and answers as told.
#include <gtest/gtest.h>

#include <sstream>

#include "IpText.h"
#include "HostAddresses.h"
#include "PrinterGenerator.h"
#include "SetRequest.h"
#include "Simulator.h"

using namespace printersim;

namespace {


std::string Set(const std::string& mac, const std::string& ip, const std::string& rest = "") {
  return "<ZQ><STSMOQ><SET><MAC:" + mac + "><S_NAME><Hall 2><S_IPADD><" + ip +
         "><S_SNM><255.255.255.0><S_GTW><10.77.16.254>" + rest;
}

class RecordingAddresses : public HostAddresses {
 public:
  bool Take(Ipv4Address current, Ipv4Address wanted, unsigned prefix, std::string& error) override {
    calls.push_back(current.ToString() + ">" + wanted.ToString() + "/" + std::to_string(prefix));
    error = "refused by the test";
    return succeed;
  }
  bool succeed = true;
  std::vector<std::string> calls;
};

class SetHandlerTest : public ::testing::Test {
 protected:
  void Make(SetReply reply = SetReply::kConfirm) {
    const SimOptions options{.setReply = reply};
    const PrinterGenerator generator(options.base, options.subnetMask, options.gateway);
    std::string error;
    sim_ = std::make_unique<Simulator>(options, PrinterTable(*generator.MakeAll(3, error)), log_,
                                       &addresses_);
  }
  std::vector<Datagram> Ask(const std::string& text, const char* to = "255.255.255.255") {
    const auto now = AnswerQueue::Clock::now();
    sim_->Serve(Datagram{Ip("10.77.0.2"), 40000, Ip(to), 15000, text}, now);
    std::vector<Datagram> out;
    sim_->queue().TakeDue(now, out);
    return out;
  }
  // The one answer to a SET; its last data byte (ACK or NAK) tells the outcome.
  std::string Reply(const std::string& request) {
    const auto answers = Ask(request);
    EXPECT_EQ(answers.size(), 1u) << request;
    return answers.empty() ? "" : answers[0].payload;
  }
  const Printer& Second() const { return sim_->printers()[1]; }

  std::ostringstream log_;
  std::unique_ptr<Simulator> sim_;
  RecordingAddresses addresses_;
};

TEST(SetRequestTest, ReadsTheCommand) {
  auto set = SetRequest::Parse(Set("02-51-4d-00-00-02", "10.77.16.9", "<S_DHCP><1>"));
  ASSERT_TRUE(set);
  EXPECT_EQ(set->addressee + set->name + "|" + set->ip + "|" + set->mask + "|" + set->gateway,
            "<MAC:02-51-4d-00-00-02>Hall 2|10.77.16.9|255.255.255.0|10.77.16.254");
  EXPECT_EQ(set->dhcp, "1");
  EXPECT_TRUE(set->IsFor("02:51:4D:00:00:02"));
  EXPECT_FALSE(set->IsFor("02-51-4D-00-00-03"));
  EXPECT_FALSE(SetRequest::Parse(Set("02514D000002", "1.2.3.4"))->dhcp);
  for (const std::string& bad :
       {Set("02514D00000", "1.2.3.4"), Set("02514D00000G", "1.2.3.4"),
        Set("02514D000002", "1.2.3.4", "x"), Set("02514D000002", "1.2.3.4", "<S_DHCP><1"),
        std::string("<ZQ><STSMOQ><SET><MAC:02514D000002><S_NAME><n>")})
    EXPECT_FALSE(SetRequest::Parse(bad)) << bad;
}

TEST_F(SetHandlerTest, NamedPrinterConfirmsAndMovesToItsNewAddress) {
  Make();
  const auto answers = Ask(Set("02-51-4d-00-00-02", "10.77.40.7", "<S_DHCP><1>"));
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].source, Ip("10.77.16.2"));  // still from the old address
  EXPECT_EQ(answers[0].payload, "<ZQ><STSMOA><<SET><MAC:02-51-4d-00-00-02>\x06>");
  EXPECT_EQ(addresses_.calls, std::vector<std::string>{"10.77.16.2>10.77.40.7/24"});
  const Printer& p = Second();
  EXPECT_EQ(p.name + "|" + p.subnetMask + "|" + p.gateway + "|" + p.dhcp,
            "Hall 2|255.255.255.0|10.77.16.254|1");
  // From now on it answers from its new address, also to its new subnet's broadcast.
  EXPECT_EQ(Ask("<ZQ><STSMOQ><NAME>", "10.77.40.7").at(0).payload, "<ZQ><NAME><Hall 2>");
  EXPECT_TRUE(Ask("<ZQ><STSMOQ><NAME>", "10.77.16.2").empty());
  EXPECT_EQ(Ask("<ZQ><0000>", "10.77.40.255").at(0).source, Ip("10.77.40.7"));
}

TEST_F(SetHandlerTest, RefusalsChangeNothing) {
  Make();
  // A bad address, another printer's address, a bad DHCP value.
  for (const std::string& request :
       {Set("02514D000002", "10.77.400.7"), Set("02514D000002", "10.77.16.3"),
        Set("02514D000002", "10.77.40.7", "<S_DHCP><2>")})
    EXPECT_TRUE(Reply(request).ends_with("\x15>")) << request;
  EXPECT_EQ(Second().name, "Lumen Desk 0002");
  Make(SetReply::kRefuse);
  EXPECT_EQ(Reply(Set("02514D000002", "10.77.40.7")), "<ZQ><STSMOA><<SET><MAC:02514D000002>\x15>");
  EXPECT_EQ(Second().name, "Lumen Desk 0002");
  Make(SetReply::kWithoutSet);
  EXPECT_EQ(Reply(Set("02514D000002", "10.77.40.7")), "<ZQ><STSMOA><<MAC:02514D000002>\x06>");
  EXPECT_EQ(Second().name, "Lumen Desk 0002");
  EXPECT_TRUE(addresses_.calls.empty());
}

TEST_F(SetHandlerTest, PrinterThatCannotMoveKeepsItsAddressAndTakesTheRest) {
  addresses_.succeed = false;
  Make();
  EXPECT_TRUE(Reply(Set("02514D000002", "10.77.40.7")).ends_with("\x06>"));
  EXPECT_EQ(Second().address, Ip("10.77.16.2"));
  EXPECT_EQ(Second().name, "Hall 2");
  EXPECT_NE(log_.str().find("cannot move to 10.77.40.7 (refused by the test)"), std::string::npos);
}

TEST_F(SetHandlerTest, KeepAddressModeConfirmsAndTakesAllButTheAddress) {
  Make(SetReply::kConfirmInPlace);
  EXPECT_TRUE(Reply(Set("02514D000002", "10.77.40.7")).ends_with("\x06>"));
  EXPECT_EQ(Second().address, Ip("10.77.16.2"));
  EXPECT_EQ(Second().subnetMask + "|" + Second().name, "255.255.255.0|Hall 2");
  EXPECT_TRUE(addresses_.calls.empty());
}

}  // namespace
