#pragma once
// Installs a found printer so that the printer link reaches it: a print
// queue in CUPS whose device URI names the printer's address, then the
// link's protocol value in the registry store ("EthPrt" under
// HKEY_LOCAL_MACHINE\SOFTWARE\ZQ\Tolvan\<queue>: 0 UDP, 1 TCP). The queue
// comes first; when the store cannot be written the queue is taken back
// (removed, or a replaced queue given its old settings again), so an
// install either does both or leaves things as they were. Uninstalling
// removes both.
#include <corvane/CorvaneTypes.h>

#include <string>
#include <vector>

class CPrinterInstaller {
 public:
  static constexpr DWORD kUdp = 0;
  static constexpr DWORD kTcp = 1;

  struct Request {
    std::wstring strAddress;  // the printer's IPv4 address
    std::wstring strName;     // as discovery found them (placeholders allowed)
    std::wstring strModel;
    std::string strQueue;     // empty: from the printer's name, with a suffix when taken
    std::string strUri;       // empty or "socket": socket://ADDRESS:9100; "lpd", "ipp", or a URI
    DWORD dwProtocol = kUdp;
    bool bReplace = false;    // an existing queue of that name may be replaced
    bool bSystem = false;     // the system's registry store instead of the user's
  };
  enum class Code { kDone, kInvalid, kQueueTaken, kAlreadyInstalled, kNotAllowed, kNotFound,
                    kSpoolerFailed, kStoreFailed };
  struct Result {
    Code code = Code::kDone;
    std::string strMessage;  // what went wrong, or what was done
    std::string strQueue;
    std::string strUri;
    std::vector<std::string> stores;  // the registry store files written
  };

  static Result Install(const Request& request);
  static Result Uninstall(const std::string& strQueue);

  // The device URI for the printer: "socket" (or empty), "lpd", "ipp", or a
  // URI of its own with a network host; empty with a message otherwise.
  static std::string DeviceUri(const std::string& strChoice, const std::wstring& strAddress,
                               std::string& strError);
  static std::string Description(const std::wstring& strName, const std::wstring& strModel);
  static std::wstring ProtocolKey(const std::string& strQueue);
};
