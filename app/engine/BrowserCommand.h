#pragma once
// The fallback for opening a web page when the desktop's URL handler fails:
// the browser registered for HTML documents (the default application for
// text/html in the mimeapps.list files) and its desktop entry's Exec line,
// with the URL put where the line's file or URL placeholder was.
#include <string>
#include <vector>

#include "XdgDirectories.h"

namespace BrowserCommand {

// The Exec line of the first installed default application for text/html;
// empty when none is registered or its desktop entry has no Exec line.
std::wstring DefaultHtmlExecLine(const XdgDirectories& dirs);

// The command cut at its placeholder ("%u", "%U", "%f" or "%F"; in double
// quotation marks the cut is at the opening mark), then a blank and the URL.
// A command without a placeholder stays whole.
std::wstring CommandLine(const std::wstring& strCommand, const std::wstring& strUrl);

// The command line as program and arguments: blanks separate them, double
// quotation marks group (a backslash in them takes the next character as it
// is), "%%" stands for "%", and other placeholders of desktop entries
// ("%i", "%c", "%k", ...) are dropped.
std::vector<std::wstring> SplitArguments(const std::wstring& strCommandLine);

}  // namespace BrowserCommand
