#include "Responder.h"

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
