#pragma once
// Maps a request datagram to the answers one printer gives. Each kind of
// request is a route: a text the request equals (or starts with) and a
// handler that appends the answers. Request kinds that need more than the
// printer (the SET command) are further routes added with AddRoute.
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
  // A framed query: this header, a start byte, one data byte, an end byte.
  static constexpr std::string_view kQueryHeader = "<ZQ><STSMOQ><CMD>";
  static constexpr char kFullStatus = 0x02;
  static constexpr char kDeviceId = 0x20;

  // Routes for the discovery request, the five information requests and the
  // two framed queries.
  Responder();

  // Routes are tried in the order added; the first that matches answers.
  void AddRoute(std::string text, Match match, Handler handler);

  // Appends the printer's answers to `request`; none for an unknown request.
  void Answer(Printer& printer, std::string_view request, Answers& out) const;

  // "<ZQ><TAG><value>": the form of every discovery and information answer.
  static std::string FieldAnswer(std::string_view tag, std::string_view value);
  // "<ZQ><STSMOA><CMD>", '<', the data, '>': the answer to a framed query.
  static std::string FrameAnswer(std::string_view data);
  // The data of the answers to the framed queries: four status bytes (the
  // query's code, state 0 ready, alerts 0 none, jobs waiting 0), and an
  // identity text "MFG:Quillmark;MDL:<model>;CLS:PRINTER;DES:<name>;SN:<MAC
  // digits>;".
  static std::string FullStatus();
  static std::string DeviceId(const Printer& printer);

 private:
  struct Route {
    std::string text;
    Match match;
    Handler handler;
  };
  void AddFieldRoute(std::string_view tag, std::string Printer::*field);
  void AddQueryRoute();

  std::vector<Route> routes_;
};

}  // namespace printersim
