#include "QueryCommand.h"

#include "CConfigurationExchange.h"
#include "CLumoraApp.h"
#include "CUdpDiscoveryTransport.h"
#include "CliExit.h"
#include "CliOptionHelp.h"
#include "CliSettings.h"
#include "CliText.h"
#include "EnginePlatform.h"

#include <corvane/CCorvaneFunctions.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <iostream>

std::string QueryCommand::Summary() const {
  return "Send one printer a framed query, full-status (data byte 0x02) or device-id (0x20), "
         "as lumora's hidden test commands do, and print the data of its answer in hex as the "
         "debug console shows frames (and as text when it is text).";
}

void QueryCommand::AddOptions(CLI::App& sub) {
  CliOptionHelp::AddAddress(sub, "--ip", m_Options.ip, "The printer's IP address.");
  sub.add_option("query", m_Options.query, "full-status or device-id.")
      ->required()
      ->type_name("QUERY")
      ->check(CLI::IsMember({"full-status", "device-id"}));
  CliOptionHelp::AddIni(sub, m_Options.iniPath);
  CliOptionHelp::AddExchangeDebug(sub, m_Options.bDebug);
}

std::string QueryCommand::Report(const BYTE* pData, DWORD dwLength) {
  std::string text = CliText::Display(L"<ZQ><STSMOA><CMD><" +
                                      CCorvaneFunctions().ByteToExCString(pData, dwLength) + L">") +
                     "\n";
  if (std::all_of(pData, pData + dwLength, [](BYTE b) { return b >= 0x20 && b < 0x7F; }))
    text += "text: " + std::string(pData, pData + dwLength) + "\n";
  return text;
}

int QueryCommand::Run() {
  CLumoraApp app(CliSettings::LumoraExecutable());
  if (!CliSettings::LoadOrReport(m_Options.iniPath, app)) return CliExit::kUsage;
  const std::vector<BYTE> frame = CConfigurationExchange::BuildQueryFrame(
      m_Options.query == "full-status" ? CConfigurationExchange::kFullStatus
                                       : CConfigurationExchange::kDeviceId);
  CUdpDiscoveryTransport transport;
  const CConfigurationSettings settings = CliSettings::ConfigurationOf(app);
  CConfigurationExchange exchange(
      settings, transport,
      m_Options.bDebug ? CliOptionHelp::WriteExchangeLine : CConfigurationExchange::ConsoleLine());
  std::array<BYTE, CCorvaneFunctions::kMaxFrame> answer{};
  DWORD dwLength = answer.size();
  const DWORD dwResult =
      exchange.QueryDevice(frame.data(), static_cast<DWORD>(frame.size()),
                           EnginePlatform::Utf8ToWide(m_Options.ip), answer.data(), dwLength);
  if (dwResult != 0) {
    std::cerr << "lumora-cli: the query failed: " << CliText::TransportError(dwResult) << "\n";
    return CliExit::kFailed;
  }
  if (dwLength == 0) {
    std::cerr << "lumora-cli: no answer from " << m_Options.ip << " within "
              << settings.dwRxEthTimeout << " ms\n";
    return CliExit::kFailed;
  }
  std::cout << Report(answer.data(), dwLength) << std::flush;
  return CliExit::kOk;
}
