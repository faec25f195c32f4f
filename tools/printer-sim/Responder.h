#pragma once
// Maps a request datagram to the answers one printer gives. Each kind of
// request is a route: a text the request equals (or starts with) and a
// handler that appends the answers. Later request kinds (the SET command,
// framed queries) are further routes added with AddRoute.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Printer.h"

namespace printersim {

class Responder {
 public:
  using Answers = std::vector<std::string>;
  using Handler = std::function<void(Printer& printer, std::string_view request, Answers& out)>;
  enum class Match { kExact, kPrefix };

  static constexpr std::string_view kTag = "<ZQ>";
  static constexpr std::string_view kDiscovery = "<ZQ><0000>";
  static constexpr std::string_view kInfoCode = "<STSMOQ>";

  // Routes for the discovery request and the five information requests.
  Responder();

  // Routes are tried in the order added; the first that matches answers.
  void AddRoute(std::string text, Match match, Handler handler);

  // Appends the printer's answers to `request`; none for an unknown request.
  void Answer(Printer& printer, std::string_view request, Answers& out) const;

  // "<ZQ><TAG><value>": the form of every discovery and information answer.
  static std::string FieldAnswer(std::string_view tag, std::string_view value);

 private:
  struct Route {
    std::string text;
    Match match;
    Handler handler;
  };
  void AddFieldRoute(std::string_view tag, std::string Printer::*field);

  std::vector<Route> routes_;
};

}  // namespace printersim
