#include "AdaptersCommand.h"

#include "AdapterReport.h"
#include "CliExit.h"
#include "CliText.h"

#include <corvane/CCNetCardInfo.h>

#include <iostream>

std::string AdaptersCommand::Summary() const {
  return "Print the IPv4 network adapters this machine has: index, name, type, MAC address, "
         "IP address, subnet mask, gateway, DHCP server, and a '*' for the default card (the "
         "one that holds the machine's own address, whose broadcast address the subnet-"
         "directed mode uses).";
}

int AdaptersCommand::Run() {
  const CCNetCardInfo cards;
  std::cout << AdapterReport::Text(cards);
  if (cards.GetErrorMsg() != L"Success!")
    std::cerr << "lumora-cli: " << CliText::Display(cards.GetErrorMsg()) << "\n";
  return CliExit::kOk;
}
