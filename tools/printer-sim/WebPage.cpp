#include "WebPage.h"

namespace printersim {

namespace {

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Page(const Printer& printer) {
  const std::pair<const char*, std::string> rows[] = {
      {"Printer name", printer.name},        {"Printer model", printer.model},
      {"IP address", printer.address.ToString()}, {"Subnet mask", printer.subnetMask},
      {"Gateway", printer.gateway},          {"MAC address", printer.mac},
      {"DHCP", printer.dhcp == "1" ? "On" : "Off"}};
  std::string html =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + Escaped(printer.name) +
      "</title><style>body{font-family:sans-serif;margin:2em;color:#22313f}"
      "h1{color:#1b8a8f;font-size:1.4em}td{padding:.25em 1.5em .25em 0}"
      "td:first-child{color:#6f7d87}p{color:#6f7d87;font-size:.85em}</style></head>\n<body><h1>" +
      Escaped(printer.name) + "</h1>\n<table>\n";
  for (const auto& [label, value] : rows)
    html += std::string("<tr><td>") + label + "</td><td>" + Escaped(value) + "</td></tr>\n";
  return html + "</table>\n<p>Simulated printer (printer-sim)</p></body></html>\n";
}

std::string Reply(const char* status, const std::string& body, bool withBody) {
  return std::string("HTTP/1.0 ") + status +
         "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + (withBody ? body : "");
}

std::string Message(const char* status, bool withBody) {
  return Reply(status, std::string("<!DOCTYPE html>\n<html><body><p>") + status + "</p></body></html>\n",
               withBody);
}

}  // namespace

std::string WebPage::Response(std::string_view requestHead, const std::optional<Printer>& printer) {
  // Request line: METHOD SP TARGET SP HTTP/x.y
  const std::string_view line = requestHead.substr(0, requestHead.find("\r\n"));
  const auto first = line.find(' ');
  const auto second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  if (second == std::string_view::npos || !line.substr(second + 1).starts_with("HTTP/"))
    return Message("400 Bad Request", true);
  const std::string_view method = line.substr(0, first);
  const std::string_view target = line.substr(first + 1, second - first - 1);
  const bool bHead = method == "HEAD";
  if (method != "GET" && !bHead) return Message("405 Method Not Allowed", true);
  if ((target != "/" && target != "/index.html") || !printer) return Message("404 Not Found", !bHead);
  return Reply("200 OK", Page(*printer), !bHead);
}

}  // namespace printersim
