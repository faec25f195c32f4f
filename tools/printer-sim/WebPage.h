#pragma once
// The small web page a simulated printer serves, as its built-in web server
// would: the printer's settings in a table. Builds whole HTTP responses.
#include <optional>
#include <string>
#include <string_view>

#include "Printer.h"

namespace printersim {
namespace WebPage {

// The response to a request head: the page for GET or HEAD of "/" or
// "/index.html" (HEAD without the body), 404 for other paths or when no
// printer holds the address, 405 for other methods, 400 for a head that is
// no request. The connection closes after every response.
std::string Response(std::string_view requestHead, const std::optional<Printer>& printer);

}  // namespace WebPage
}  // namespace printersim
