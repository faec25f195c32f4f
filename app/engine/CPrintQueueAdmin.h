#pragma once
// The print spooler's queues, through libcups: listing them with their
// device URIs, adding or changing one with the request lpadmin sends
// (CUPS-Add-Modify-Printer), removing one. The scheduler is the one the
// user's CUPS configuration names (CUPS_SERVER, client.conf). Nothing here
// asks for a password: a request the scheduler refuses for lack of rights
// ends with kNotAllowed. This file and EnginePlatform.cpp are the engine's
// only calls into the system.
#include <string>
#include <vector>

class CPrintQueueAdmin {
 public:
  enum class Result { kOk, kNotAllowed, kNotFound, kUnavailable, kFailed };
  struct Outcome {
    Result result = Result::kOk;
    std::string strMessage;  // the scheduler's own text when it failed
  };
  struct Queue {
    std::string strName;
    std::string strDeviceUri;
    std::string strInfo;      // description
    std::string strLocation;
  };

  static Outcome List(std::vector<Queue>& queues);
  static Outcome Find(const std::string& strName, Queue& queue);
  // Adds the queue, or changes the one of that name: device URI,
  // description and location, no driver (a raw queue, or what the scheduler
  // makes of a queue without one), enabled and accepting jobs.
  static Outcome AddOrModify(const Queue& queue);
  static Outcome Remove(const std::string& strName);

  // The first queue whose device URI names this host (a printer's address).
  static bool FindByHost(const std::string& strHost, Queue& queue);
  // The host of a network device URI (socket, lpd, ipp, ipps); empty for any
  // other URI.
  static std::string HostOf(const std::string& strDeviceUri);
};
