// Which answers a printer gives to which request.
#include <gtest/gtest.h>

#include "Responder.h"

using namespace printersim;
using namespace std::string_view_literals;

namespace {

Printer Sample() {
  return Printer{Ipv4Address(0x0A4D1001), "02-51-4D-00-00-01", "Lumen Desk 0001",
                 "Quillmark Compact", "255.255.0.0", "10.77.0.1", ""};
}

Responder::Answers Ask(const Responder& responder, Printer& printer, std::string_view request) {
  Responder::Answers out;
  responder.Answer(printer, request, out);
  return out;
}

TEST(ResponderTest, KnownRequestsGetTheirFieldInAngleBrackets) {
  const Responder responder;
  Printer printer = Sample();
  const std::pair<const char*, const char*> cases[] = {
      {"<ZQ><0000>", "<ZQ><MAC><02-51-4D-00-00-01>"},
      {"<ZQ><STSMOQ><NAME>", "<ZQ><NAME><Lumen Desk 0001>"},
      {"<ZQ><STSMOQ><MOD>", "<ZQ><MOD><Quillmark Compact>"},
      {"<ZQ><STSMOQ><SNM>", "<ZQ><SNM><255.255.0.0>"},
      {"<ZQ><STSMOQ><GTW>", "<ZQ><GTW><10.77.0.1>"},
      {"<ZQ><STSMOQ><DHCP>", "<ZQ><DHCP><>"}};
  for (const auto& [request, answer] : cases)
    EXPECT_EQ(Ask(responder, printer, request), Responder::Answers{answer}) << request;
  for (std::string_view other :
       {"<ZQ><0!!0>"sv, "<zq><0000>"sv, "<ZQ><0000"sv, "<ZQ><0000>x"sv, "<ZQ><0000>\0"sv,
        "<ZQ><STSMOQ>"sv, "<ZQ><STSMOQ><name>"sv, "<ZQ><STSMOQ><MAC>"sv, "<ZQ><NAME>"sv, ""sv})
    EXPECT_TRUE(Ask(responder, printer, other).empty()) << other;
}

TEST(ResponderTest, FramedQueriesGetStatusBytesOrIdentity) {
  const Responder responder;
  Printer printer = Sample();
  const std::string header = "<ZQ><STSMOQ><CMD>";
  EXPECT_EQ(Ask(responder, printer, header + "<\x02>"),
            Responder::Answers{std::string("<ZQ><STSMOA><CMD><\x02\0\0\0>", 23)});
  EXPECT_EQ(Ask(responder, printer, header + "< >"),
            Responder::Answers{"<ZQ><STSMOA><CMD><MFG:Quillmark;MDL:Quillmark Compact;CLS:PRINTER;"
                               "DES:Lumen Desk 0001;SN:02514D000001;>"});
  for (const std::string& other : {header + "<\x03>", header + "<\x02", header + "<\x02>>"})
    EXPECT_TRUE(Ask(responder, printer, other).empty());
}

}  // namespace
