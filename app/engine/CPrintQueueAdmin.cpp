#include "CPrintQueueAdmin.h"

#include <cups/cups.h>

#include <memory>
#include <string_view>
#include <utility>

namespace {

constexpr int kConnectTimeoutMs = 5000;

struct HttpCloser {
  void operator()(http_t* http) const { httpClose(http); }
};
struct IppDeleter {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppPtr = std::unique_ptr<ipp_t, IppDeleter>;

// No password prompt: the tool runs in terminals, scripts and a window alike.
const char* NoPassword(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

CPrintQueueAdmin::Result ResultOf(ipp_status_t status) {
  switch (status) {
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
      return CPrintQueueAdmin::Result::kNotAllowed;
    case IPP_STATUS_ERROR_NOT_FOUND:
      return CPrintQueueAdmin::Result::kNotFound;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
      return CPrintQueueAdmin::Result::kUnavailable;
    default:
      return CPrintQueueAdmin::Result::kFailed;
  }
}

std::string PrinterUri(const std::string& strName) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", strName.c_str());
  return uri;
}

ipp_t* NewRequest(ipp_op_t op, const std::string& strName) {
  ipp_t* request = ippNewRequest(op);
  if (!strName.empty())
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 PrinterUri(strName).c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  return request;
}

// Sends the request (which it takes over) and gives the response.
CPrintQueueAdmin::Outcome Send(ipp_t* request, const char* resource, IppPtr& response) {
  cupsSetPasswordCB2(NoPassword, nullptr);
  std::unique_ptr<http_t, HttpCloser> http(httpConnect2(cupsServer(), ippPort(), nullptr,
                                                        AF_UNSPEC, cupsEncryption(), 1,
                                                        kConnectTimeoutMs, nullptr));
  if (!http) {
    ippDelete(request);
    return {CPrintQueueAdmin::Result::kUnavailable,
            std::string("cannot reach the print spooler at ") + cupsServer()};
  }
  response.reset(cupsDoRequest(http.get(), request, resource));
  const ipp_status_t status = cupsLastError();
  if (status > IPP_STATUS_OK_EVENTS_COMPLETE)
    return {ResultOf(status), cupsLastErrorString() != nullptr ? cupsLastErrorString() : ""};
  return {};
}

std::string Text(ipp_t* ipp, const char* name) {
  ipp_attribute_t* attr = ippFindAttribute(ipp, name, IPP_TAG_ZERO);
  const char* text = attr != nullptr ? ippGetString(attr, 0, nullptr) : nullptr;
  return text != nullptr ? text : "";
}

// The attributes a queue is read from, and the fields they fill.
constexpr std::pair<const char*, std::string CPrintQueueAdmin::Queue::*> kQueueFields[] = {
    {"printer-name", &CPrintQueueAdmin::Queue::strName},
    {"device-uri", &CPrintQueueAdmin::Queue::strDeviceUri},
    {"printer-info", &CPrintQueueAdmin::Queue::strInfo},
    {"printer-location", &CPrintQueueAdmin::Queue::strLocation}};

void AddRequestedAttributes(ipp_t* request) {
  const char* names[std::size(kQueueFields)];
  for (std::size_t i = 0; i < std::size(kQueueFields); ++i) names[i] = kQueueFields[i].first;
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(names)), nullptr, names);
}

// The field an attribute fills, or none.
std::string* FieldOf(CPrintQueueAdmin::Queue& queue, std::string_view name) {
  for (const auto& [attribute, member] : kQueueFields)
    if (name == attribute) return &(queue.*member);
  return nullptr;
}

CPrintQueueAdmin::Outcome SendQueue(const CPrintQueueAdmin::Queue& queue, bool bRaw) {
  ipp_t* request = NewRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, queue.strName);
  ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
               queue.strDeviceUri.c_str());
  ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-info", nullptr,
               queue.strInfo.c_str());
  ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-location", nullptr,
               queue.strLocation.c_str());
  if (bRaw) ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_NAME, "ppd-name", nullptr, "raw");
  ippAddBoolean(request, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
  ippAddInteger(request, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
  IppPtr response;
  return Send(request, "/admin/", response);
}

}  // namespace

CPrintQueueAdmin::Outcome CPrintQueueAdmin::List(std::vector<Queue>& queues) {
  queues.clear();
  ipp_t* request = NewRequest(IPP_OP_CUPS_GET_PRINTERS, "");
  AddRequestedAttributes(request);
  IppPtr response;
  Outcome outcome = Send(request, "/", response);
  // A scheduler without queues answers "not found".
  if (outcome.result == Result::kNotFound) return {};
  if (outcome.result != Result::kOk || !response) return outcome;
  Queue queue;
  for (ipp_attribute_t* attr = ippFirstAttribute(response.get()); attr != nullptr;
       attr = ippNextAttribute(response.get())) {
    const char* name = ippGetName(attr);
    if (name == nullptr) {  // the end of one printer's group
      if (!queue.strName.empty()) queues.push_back(queue);
      queue = Queue();
      continue;
    }
    const char* value = ippGetString(attr, 0, nullptr);
    std::string* field = FieldOf(queue, name);
    if (field != nullptr && value != nullptr) *field = value;
  }
  if (!queue.strName.empty()) queues.push_back(queue);
  return {};
}

CPrintQueueAdmin::Outcome CPrintQueueAdmin::Find(const std::string& strName, Queue& queue) {
  ipp_t* request = NewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, strName);
  AddRequestedAttributes(request);
  IppPtr response;
  Outcome outcome = Send(request, "/", response);
  if (outcome.result != Result::kOk) return outcome;
  queue = Queue();
  for (const auto& [attribute, member] : kQueueFields) queue.*member = Text(response.get(), attribute);
  return {};
}

CPrintQueueAdmin::Outcome CPrintQueueAdmin::AddOrModify(const Queue& queue) {
  Outcome outcome = SendQueue(queue, true);
  // A scheduler that no longer makes raw queues gets the queue without a
  // driver named.
  if (outcome.result == Result::kFailed) outcome = SendQueue(queue, false);
  return outcome;
}

CPrintQueueAdmin::Outcome CPrintQueueAdmin::Remove(const std::string& strName) {
  IppPtr response;
  return Send(NewRequest(IPP_OP_CUPS_DELETE_PRINTER, strName), "/admin/", response);
}

bool CPrintQueueAdmin::FindByHost(const std::string& strHost, Queue& queue) {
  std::vector<Queue> queues;
  List(queues);
  for (const Queue& candidate : queues) {
    if (HostOf(candidate.strDeviceUri) == strHost) {
      queue = candidate;
      return true;
    }
  }
  return false;
}

std::string CPrintQueueAdmin::HostOf(const std::string& strDeviceUri) {
  char scheme[32], user[256], host[256], resource[1024];
  int port = 0;
  if (httpSeparateURI(HTTP_URI_CODING_MOST, strDeviceUri.c_str(), scheme, sizeof scheme, user,
                      sizeof user, host, sizeof host, &port, resource,
                      sizeof resource) < HTTP_URI_STATUS_OK)
    return {};
  const std::string_view kind(scheme);
  if (kind != "socket" && kind != "lpd" && kind != "ipp" && kind != "ipps") return {};
  return host;
}
