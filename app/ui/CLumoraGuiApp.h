#pragma once
// The program with its window: start-up as the application object does it,
// then the main window runs modally until it closes.
#include "CLumoraApp.h"

class CLumoraGuiApp : public CLumoraApp {
 public:
  using CLumoraApp::CLumoraApp;
  int RunMainWindow() override;
};
