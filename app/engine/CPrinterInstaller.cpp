#include "CPrinterInstaller.h"

#include "CDeviceTable.h"
#include "CPrintQueueAdmin.h"
#include "CQueueName.h"
#include "EnginePlatform.h"

#include <corvane/CRegStore.h>

#include <algorithm>
#include <optional>

namespace {

using Code = CPrinterInstaller::Code;
using Admin = CPrintQueueAdmin;

constexpr const char* kRightsHint =
    "adding or removing print queues needs a printer administrator's rights: add your user to "
    "the printer administrators' group (lpadmin: sudo usermod -aG lpadmin $USER, then log in "
    "again), or run the command with sudo";

CPrinterInstaller::Result Failed(Code code, std::string strMessage) {
  CPrinterInstaller::Result result;
  result.code = code;
  result.strMessage = std::move(strMessage);
  return result;
}

CPrinterInstaller::Result SpoolerFailure(const Admin::Outcome& outcome, const std::string& what) {
  switch (outcome.result) {
    case Admin::Result::kNotAllowed:
      return Failed(Code::kNotAllowed,
                    "CUPS refused to " + what + " (" + outcome.strMessage + "): " + kRightsHint);
    case Admin::Result::kNotFound:
      return Failed(Code::kNotFound, "CUPS has no such queue (" + outcome.strMessage + ")");
    default:
      return Failed(Code::kSpoolerFailed,
                    "CUPS could not " + what + ": " + outcome.strMessage);
  }
}

std::optional<Admin::Queue> Existing(const std::vector<Admin::Queue>& queues,
                                     const std::string& strName) {
  for (const Admin::Queue& queue : queues) {
    if (CQueueName::SameName(queue.strName, strName)) return queue;
  }
  return std::nullopt;
}

// The queue's name; fails when it is taken (without bReplace) or when the
// printer has a queue already and no name was asked for.
CPrinterInstaller::Result ChooseName(const CPrinterInstaller::Request& request,
                                     const std::vector<Admin::Queue>& queues,
                                     const std::string& strUri) {
  CPrinterInstaller::Result result;
  if (!request.strQueue.empty()) {
    if (!request.bReplace && Existing(queues, request.strQueue))
      return Failed(Code::kQueueTaken, "a queue named " + request.strQueue +
                                           " exists already; --replace replaces it");
    result.strQueue = request.strQueue;
    return result;
  }
  const std::string base = CQueueName::FromPrinter(request.strName, request.strModel);
  if (!request.bReplace) {
    for (const Admin::Queue& queue : queues) {
      if (queue.strDeviceUri == strUri)
        return Failed(Code::kAlreadyInstalled,
                      "the printer is installed already as queue " + queue.strName + " (" +
                          strUri + "); --replace installs it again under the name " + base +
                          ", --queue NAME adds a second queue");
    }
  }
  std::vector<std::string> taken;
  for (const Admin::Queue& queue : queues) taken.push_back(queue.strName);
  result.strQueue = request.bReplace ? base : CQueueName::FirstFree(base, taken);
  return result;
}

}  // namespace

std::wstring CPrinterInstaller::ProtocolKey(const std::string& strQueue) {
  return CRegStore::ProtocolKey(EnginePlatform::Utf8ToWide(strQueue));
}

std::string CPrinterInstaller::Description(const std::wstring& strName,
                                           const std::wstring& strModel) {
  const bool bName = !strName.empty() && strName != CDeviceTable::kNoName;
  const bool bModel = !strModel.empty() && strModel != CDeviceTable::kNoModel;
  const std::string name = EnginePlatform::WideToUtf8(strName);
  const std::string model = EnginePlatform::WideToUtf8(strModel);
  if (bName && bModel) return name + " (" + model + ")";
  return bName ? name : bModel ? model : "";
}

std::string CPrinterInstaller::DeviceUri(const std::string& strChoice,
                                         const std::wstring& strAddress, std::string& strError) {
  const std::string address = EnginePlatform::WideToUtf8(strAddress);
  if (strChoice.empty() || strChoice == "socket") return "socket://" + address + ":9100";
  if (strChoice == "lpd") return "lpd://" + address + "/queue";
  if (strChoice == "ipp") return "ipp://" + address + "/ipp/print";
  if (Admin::HostOf(strChoice).empty()) {
    strError = "'" + strChoice +
               "' is no device URI the printer link can follow (socket://, lpd://, ipp:// or "
               "ipps:// with the printer's address)";
    return {};
  }
  return strChoice;
}

CPrinterInstaller::Result CPrinterInstaller::Install(const Request& request) {
  if (request.dwProtocol != kUdp && request.dwProtocol != kTcp)
    return Failed(Code::kInvalid, "the protocol is udp or tcp");
  if (!request.strQueue.empty() && !CQueueName::IsValid(request.strQueue))
    return Failed(Code::kInvalid, "'" + request.strQueue +
                                      "' is no queue name: letters, digits, '-' and '_', at "
                                      "most 127 characters");
  std::string error;
  const std::string uri = DeviceUri(request.strUri, request.strAddress, error);
  if (uri.empty()) return Failed(Code::kInvalid, error);
  const std::string store = CRegStore::WritePath(request.bSystem);
  if (store.empty()) return Failed(Code::kStoreFailed, "no registry store: HOME is not set");

  std::vector<Admin::Queue> queues;
  if (const auto listed = Admin::List(queues); listed.result != Admin::Result::kOk)
    return SpoolerFailure(listed, "list its queues");
  Result result = ChooseName(request, queues, uri);
  if (result.code != Code::kDone) return result;
  result.strUri = uri;
  const std::optional<Admin::Queue> previous = Existing(queues, result.strQueue);

  const Admin::Queue queue{result.strQueue, uri, Description(request.strName, request.strModel),
                           ""};
  if (const auto added = Admin::AddOrModify(queue); added.result != Admin::Result::kOk)
    return SpoolerFailure(added, "add the queue " + result.strQueue);
  if (!CRegStore::SetDword(store, ProtocolKey(result.strQueue), CRegStore::ProtocolValueName(), request.dwProtocol,
                           error)) {
    const auto undone = previous ? Admin::AddOrModify(*previous) : Admin::Remove(result.strQueue);
    return Failed(Code::kStoreFailed,
                  "cannot write the registry store: " + error +
                      (undone.result != Admin::Result::kOk
                           ? "; the queue " + result.strQueue + " could not be taken back: " +
                                 undone.strMessage
                       : previous ? "; the queue " + result.strQueue + " has its old settings again"
                                  : "; the queue " + result.strQueue + " was removed again"));
  }
  result.stores.push_back(store);
  result.strMessage = "installed " + result.strQueue + " -> " + uri + " (" +
                      (request.dwProtocol == kTcp ? "TCP" : "UDP") + ", " + store + ")";
  return result;
}

CPrinterInstaller::Result CPrinterInstaller::Uninstall(const std::string& strQueue) {
  if (!CQueueName::IsValid(strQueue))
    return Failed(Code::kInvalid, "'" + strQueue + "' is no queue name");
  Result result;
  result.strQueue = strQueue;
  const auto removed = Admin::Remove(strQueue);
  const bool bQueue = removed.result == Admin::Result::kOk;
  if (!bQueue && removed.result != Admin::Result::kNotFound)
    return SpoolerFailure(removed, "remove the queue " + strQueue);
  const std::wstring key = ProtocolKey(strQueue);
  std::string problems;
  for (const std::string& store : CRegStore::ReadPaths()) {
    if (!CRegStore::HasKey(store, key)) continue;
    std::string error;
    if (CRegStore::DeleteKey(store, key, error)) {
      result.stores.push_back(store);
    } else {
      problems += "; the protocol key stays in " + store + ": " + error;
    }
  }
  if (!bQueue && result.stores.empty() && problems.empty())
    return Failed(Code::kNotFound, "there is no queue " + strQueue + " and no protocol key for it");
  result.strMessage = (bQueue ? "removed the queue " + strQueue : "there was no queue " + strQueue) +
                      (result.stores.empty() ? "" : " and its protocol key") + problems;
  if (!problems.empty()) result.code = Code::kStoreFailed;
  return result;
}
