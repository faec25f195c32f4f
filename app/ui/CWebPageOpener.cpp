#include "CWebPageOpener.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "BrowserCommand.h"
#include "DesktopUrl.h"
#include "XdgDirectories.h"

int CWebPageOpener::OpenUrl(const QString& strUrl, int /*nShow*/) {
  if (ShellOpen(QUrl(strUrl))) return kSuccess;
  // The desktop found nothing to open the address with.
  const int nShellResult = kNoAssociation;
  const std::wstring strExec = BrowserExecLine();
  if (strExec.empty()) return nShellResult;
  const auto arguments =
      BrowserCommand::SplitArguments(BrowserCommand::CommandLine(strExec, strUrl.toStdWString()));
  if (arguments.empty()) return nShellResult;
  return StartDetached(arguments);
}

bool CWebPageOpener::ShellOpen(const QUrl& url) { return DesktopUrl::Open(url); }

std::wstring CWebPageOpener::BrowserExecLine() {
  return BrowserCommand::DefaultHtmlExecLine(XdgDirectories::FromEnvironment());
}

int CWebPageOpener::StartDetached(const std::vector<std::wstring>& arguments) {
  const QString program = QString::fromStdWString(arguments.front());
  const QString path = program.contains('/') ? program : QStandardPaths::findExecutable(program);
  const QFileInfo file(path);
  if (path.isEmpty() || !file.exists()) return kFileNotFound;
  if (!file.isFile() || !file.isExecutable()) return kAccessDenied;
  QStringList rest;
  for (std::size_t i = 1; i < arguments.size(); ++i)
    rest.append(QString::fromStdWString(arguments[i]));
  return QProcess::startDetached(path, rest) ? kSuccess : kOutOfResources;
}
