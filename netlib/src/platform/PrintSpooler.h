#pragma once
// The print spooler (CUPS): a queue's port, which is its device URI, and the
// network address a device URI names.
#include <corvane/CorvaneTypes.h>

#include <string>

namespace corvane::detail {

// Error codes of a failed spooler look-up, in the numbering programs of this
// family test for.
constexpr DWORD kErrorAccessDenied = 5;
constexpr DWORD kErrorSpoolerUnavailable = 1722;
constexpr DWORD kErrorInvalidPrinterName = 1801;

// The device URI of the queue named strPrinter, asked from the spooler the
// user's CUPS configuration names (CUPS_SERVER, client.conf). False with
// dwError set when there is no such queue or the spooler cannot be asked.
bool GetPrinterPort(const std::wstring& strPrinter, std::wstring& strPort, DWORD& dwError);

// The host and port of a network device URI: socket (default port 9100),
// lpd (515), ipp and ipps (631). False for a URI without a network host
// (usb:, file:, parallel:, dnssd: and other schemes) or a malformed one.
bool PortFromDeviceUri(const std::wstring& strUri, std::wstring& strHost, DWORD& dwPort);

}  // namespace corvane::detail
