// Which answers a printer gives to which request.
#include <gtest/gtest.h>

#include "Responder.h"

using namespace printersim;

namespace {

Printer SamplePrinter() {
  Printer p;
  p.address = Ipv4Address(0x0A4D1001);
  p.mac = "00-1B-4C-00-00-01";
  p.name = "ZQ-PRN-0001";
  p.model = "ZQ-520";
  p.subnetMask = "255.255.0.0";
  p.gateway = "10.77.0.1";
  p.dhcp = "";
  return p;
}

Responder::Answers Ask(const Responder& responder, Printer& printer, std::string_view request) {
  Responder::Answers out;
  responder.Answer(printer, request, out);
  return out;
}

TEST(ResponderTest, KnownRequestsGetTheirFieldInAngleBrackets) {
  const Responder responder;
  Printer printer = SamplePrinter();
  struct Case {
    const char* request;
    const char* answer;
  };
  for (const Case& c : {Case{"<ZQ><0000>", "<ZQ><MAC><00-1B-4C-00-00-01>"},
                        Case{"<ZQ><STSMOQ><NAME>", "<ZQ><NAME><ZQ-PRN-0001>"},
                        Case{"<ZQ><STSMOQ><MOD>", "<ZQ><MOD><ZQ-520>"},
                        Case{"<ZQ><STSMOQ><SNM>", "<ZQ><SNM><255.255.0.0>"},
                        Case{"<ZQ><STSMOQ><GTW>", "<ZQ><GTW><10.77.0.1>"},
                        Case{"<ZQ><STSMOQ><DHCP>", "<ZQ><DHCP><>"}}) {
    EXPECT_EQ(Ask(responder, printer, c.request), Responder::Answers{c.answer}) << c.request;
  }
}

TEST(ResponderTest, OtherRequestsGetNoAnswer) {
  const Responder responder;
  Printer printer = SamplePrinter();
  using namespace std::string_view_literals;
  for (std::string_view request :
       {"<ZQ><0!!0>"sv, "<zq><0000>"sv, "<ZQ><0000"sv, "<ZQ><0000>x"sv, "<ZQ><0000>\0"sv,
        "<ZQ><STSMOQ>"sv, "<ZQ><STSMOQ><name>"sv, "<ZQ><STSMOQ><MAC>"sv, "<ZQ><NAME>"sv, ""sv,
        "<ZQ><STSMOQ><SET><MAC:001B4C000001>"sv}) {
    EXPECT_TRUE(Ask(responder, printer, request).empty()) << request;
  }
}

TEST(ResponderTest, AddedRoutesAnswerAndMayChangeThePrinter) {
  // The way later request kinds plug in: a prefix route whose handler reads
  // the request and updates the printer.
  Responder responder;
  responder.AddRoute("<ZQ><STSMOQ><SET>", Responder::Match::kPrefix,
                     [](Printer& p, std::string_view request, Responder::Answers& out) {
                       p.name = std::string(request.substr(17));
                       out.push_back("ok");
                       out.push_back("ok again");
                     });
  Printer printer = SamplePrinter();
  EXPECT_EQ(Ask(responder, printer, "<ZQ><STSMOQ><SET>LOBBY").size(), 2u);
  EXPECT_EQ(Ask(responder, printer, "<ZQ><STSMOQ><NAME>"),
            Responder::Answers{"<ZQ><NAME><LOBBY>"});
}

}  // namespace
