#pragma once
// What the tests know of the virtual LAN that scripts/vlan sets up: its
// environment, the printer addresses on peer 1, and printer-sim started there.
#include "ChildRun.h"

#include <memory>
#include <string>
#include <vector>

namespace VirtualLan {

std::string Env(const char* name);
// True inside scripts/vlan (VLAN=1).
bool Inside();
// Gives peer 1 the addresses 10.77.16.1 .. 10.77.16.count, as --sim does.
void AddPrinterAddresses(int count);
// Gives eth0 of the namespace the addresses PREFIX1 .. PREFIXcount, /bits.
void AddAddresses(const std::string& ns, const std::string& prefix, int count, int bits = 16);
// printer-sim in the namespace, started and ready to answer.
std::unique_ptr<ChildRun> StartSimIn(const std::string& ns, const std::vector<std::string>& args);
// The command line that runs printer-sim with `args` on peer 1.
std::vector<std::string> SimCommand(const std::vector<std::string>& args);
// printer-sim on peer 1, started and ready to answer.
std::unique_ptr<ChildRun> StartSim(const std::vector<std::string>& args);

}  // namespace VirtualLan
