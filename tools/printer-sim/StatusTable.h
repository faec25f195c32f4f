#pragma once
// The printers' status exchange in one table: each request's bytes, the
// function of the printer link that sends it, and how the answer is made.
// Over UDP a request comes framed, "<ZQ><STSMOQ><" request ">", on the
// printers' port; over TCP it comes as its bare bytes. Answers are always
// framed: "<ZQ><STSMOA><" answer ">".
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "StatusSettings.h"

namespace printersim {

struct StatusRequest {
  std::string_view function;  // e.g. "GetStatusEth"
  std::string_view bytes;     // the request as sent
  std::string (*answer)(const StatusSettings&);
};

class StatusTable {
 public:
  static constexpr std::string_view kAnswerHeader = "<ZQ><STSMOA><";
  static constexpr std::string_view kQueryHeader = "<ZQ><STSMOQ><";

  static std::span<const StatusRequest> Requests();
  // The request these bytes are, if any.
  static const StatusRequest* Find(std::string_view bytes);
  // Whether the bytes are the start of some request but not yet a whole one.
  static bool IsStartOfRequest(std::string_view bytes);

  // The framed answer to a request, or nullopt when the printer stays silent.
  static std::optional<std::string> AnswerFrame(const StatusRequest& request,
                                                const StatusSettings& settings);
  // The request framed as it travels over UDP.
  static std::string QueryFrame(std::string_view bytes);
};

}  // namespace printersim
