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
// The command line that runs printer-sim with `args` on peer 1.
std::vector<std::string> SimCommand(const std::vector<std::string>& args);
// printer-sim on peer 1, started and ready to answer.
std::unique_ptr<ChildRun> StartSim(const std::vector<std::string>& args);

}  // namespace VirtualLan
