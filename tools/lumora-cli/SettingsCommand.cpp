#include "SettingsCommand.h"

#include "CLumoraApp.h"
#include "CliExit.h"
#include "CliOptionHelp.h"
#include "CliSettings.h"
#include "SettingsReport.h"

#include <iostream>

std::string SettingsCommand::Summary() const {
  return "Print the settings lumora would read, in INI form, after a comment naming the INI "
         "file they come from (lumora.ini beside lumora, else "
         "$XDG_CONFIG_HOME/lumora/lumora.ini, else /etc/lumora/lumora.ini), or \"defaults\" "
         "when there is none.";
}

void SettingsCommand::AddOptions(CLI::App& sub) { CliOptionHelp::AddIni(sub, m_iniPath); }

int SettingsCommand::Run() {
  CLumoraApp app(CliSettings::LumoraExecutable());
  std::filesystem::path source;
  std::string error;
  if (!CliSettings::Load(m_iniPath, app, source, error)) {
    std::cerr << "lumora-cli: " << error << "\n";
    return CliExit::kUsage;
  }
  std::cout << SettingsReport::Text(app, source, app.GetIniCandidates());
  return CliExit::kOk;
}
