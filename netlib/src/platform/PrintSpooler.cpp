#include "platform/PrintSpooler.h"

#include <cups/cups.h>

#include <array>
#include <memory>
#include <string_view>

#include "codec/WireText.h"

namespace corvane::detail {
namespace {

constexpr int kConnectTimeoutMs = 5000;

struct HttpCloser {
  void operator()(http_t* http) const { httpClose(http); }
};
struct IppDeleter {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};

// Queue names are printable and hold no '/', '#', blank or quote.
bool IsQueueName(const std::string& name) {
  if (name.empty() || name.size() > 127) return false;
  for (unsigned char c : name) {
    if (c <= 0x20 || c == 0x7F || c == '/' || c == '#' || c == '\\' || c == '\'' || c == '"')
      return false;
  }
  return true;
}

DWORD ErrorOf(ipp_status_t status) {
  switch (status) {
    case IPP_STATUS_ERROR_NOT_FOUND:
      return kErrorInvalidPrinterName;
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
      return kErrorAccessDenied;
    default:
      return kErrorSpoolerUnavailable;
  }
}

}  // namespace

bool GetPrinterPort(const std::wstring& strPrinter, std::wstring& strPort, DWORD& dwError) {
  const std::string name = ToUtf8(strPrinter);
  if (!IsQueueName(name)) {
    dwError = kErrorInvalidPrinterName;
    return false;
  }
  std::unique_ptr<http_t, HttpCloser> http(httpConnect2(cupsServer(), ippPort(), nullptr,
                                                        AF_UNSPEC, cupsEncryption(), 1,
                                                        kConnectTimeoutMs, nullptr));
  if (!http) {
    dwError = kErrorSpoolerUnavailable;
    return false;
  }
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", name.c_str());
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
               "device-uri");
  const std::unique_ptr<ipp_t, IppDeleter> response(cupsDoRequest(http.get(), request, "/"));
  const ipp_status_t status = cupsLastError();
  if (!response || status > IPP_STATUS_OK_EVENTS_COMPLETE) {
    dwError = ErrorOf(status);
    return false;
  }
  ipp_attribute_t* device = ippFindAttribute(response.get(), "device-uri", IPP_TAG_URI);
  const char* text = device != nullptr ? ippGetString(device, 0, nullptr) : nullptr;
  if (text == nullptr) {
    dwError = kErrorInvalidPrinterName;
    return false;
  }
  strPort = FromUtf8(text);
  return true;
}

bool PortFromDeviceUri(const std::wstring& strUri, std::wstring& strHost, DWORD& dwPort) {
  static constexpr std::array<std::string_view, 4> kNetworkSchemes = {"socket", "lpd", "ipp",
                                                                      "ipps"};
  char scheme[32], user[256], host[256], resource[1024];
  int port = 0;
  const std::string uri = ToUtf8(strUri);
  if (httpSeparateURI(HTTP_URI_CODING_MOST, uri.c_str(), scheme, sizeof scheme, user, sizeof user,
                      host, sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK)
    return false;
  bool bNetwork = false;
  for (std::string_view known : kNetworkSchemes) bNetwork = bNetwork || known == scheme;
  if (!bNetwork || host[0] == '\0' || port <= 0 || port > 65535) return false;
  strHost = FromUtf8(host);
  dwPort = static_cast<DWORD>(port);
  return true;
}

}  // namespace corvane::detail
