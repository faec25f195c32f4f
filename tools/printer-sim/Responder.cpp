#include "Responder.h"

#include "SetRequest.h"

namespace printersim {

Responder::Responder() {
  AddRoute(std::string(kDiscovery), Match::kExact,
           [](Printer& printer, std::string_view, Answers& out) {
             out.push_back(FieldAnswer("<MAC>", printer.mac));
           });
  AddFieldRoute("<NAME>", &Printer::name);
  AddFieldRoute("<MOD>", &Printer::model);
  AddFieldRoute("<SNM>", &Printer::subnetMask);
  AddFieldRoute("<GTW>", &Printer::gateway);
  AddFieldRoute("<DHCP>", &Printer::dhcp);
  AddQueryRoute();
}

void Responder::AddQueryRoute() {
  AddRoute(std::string(kQueryHeader), Match::kPrefix,
           [](Printer& printer, std::string_view request, Answers& out) {
             if (request.size() != kQueryHeader.size() + 3) return;
             const char code = request[kQueryHeader.size() + 1];
             if (code == kFullStatus) out.push_back(FrameAnswer(FullStatus()));
             if (code == kDeviceId) out.push_back(FrameAnswer(DeviceId(printer)));
           });
}

std::string Responder::FrameAnswer(std::string_view data) {
  std::string answer = "<ZQ><STSMOA><CMD><";
  answer += data;
  answer += '>';
  return answer;
}

std::string Responder::FullStatus() { return std::string{kFullStatus, 0, 0, 0}; }

std::string Responder::DeviceId(const Printer& printer) {
  return "MFG:Quillmark;MDL:" + printer.model + ";CLS:PRINTER;DES:" + printer.name +
         ";SN:" + MacDigits(printer.mac) + ";";
}

void Responder::AddFieldRoute(std::string_view tag, std::string Printer::*field) {
  std::string request(kTag);
  request += kInfoCode;
  request += tag;
  AddRoute(std::move(request), Match::kExact,
           [tag, field](Printer& printer, std::string_view, Answers& out) {
             out.push_back(FieldAnswer(tag, printer.*field));
           });
}

void Responder::AddRoute(std::string text, Match match, Handler handler) {
  routes_.push_back(Route{std::move(text), match, std::move(handler)});
}

void Responder::Answer(Printer& printer, std::string_view request, Answers& out) const {
  for (const Route& route : routes_) {
    const bool hit = route.match == Match::kExact ? request == route.text
                                                  : request.starts_with(route.text);
    if (hit) {
      route.handler(printer, request, out);
      return;
    }
  }
}

std::string Responder::FieldAnswer(std::string_view tag, std::string_view value) {
  std::string answer;
  answer.reserve(kTag.size() + tag.size() + value.size() + 2);
  answer += kTag;
  answer += tag;
  answer += '<';
  answer += value;
  answer += '>';
  return answer;
}

}  // namespace printersim
