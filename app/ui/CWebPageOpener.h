#pragma once
// Opens a web page in the operator's browser: first through the desktop's URL
// handler; when that fails, by starting the browser registered for HTML
// documents with the address put where its command's placeholder was.
// Results follow the shell's convention: above 32 is success, anything else
// a code that ShellErrors puts into words.
#include <QString>
#include <QUrl>
#include <string>
#include <vector>

class CWebPageOpener {
 public:
  static constexpr int kSuccess = 33;
  static constexpr int kFileNotFound = 2;
  static constexpr int kAccessDenied = 5;
  static constexpr int kOutOfResources = 0;
  static constexpr int kNoAssociation = 31;

  virtual ~CWebPageOpener() = default;

  // The show command of the shell has no counterpart on the desktop: the
  // browser places its window itself.
  int OpenUrl(const QString& strUrl, int nShow);

 protected:
  // The desktop's URL handler; true when it took the address.
  virtual bool ShellOpen(const QUrl& url);
  // The Exec line of the browser for HTML documents; empty when none.
  virtual std::wstring BrowserExecLine();
  // Starts program and arguments without waiting for them; kSuccess, or
  // kFileNotFound, kAccessDenied or kOutOfResources.
  virtual int StartDetached(const std::vector<std::wstring>& arguments);
};
