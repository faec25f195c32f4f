#pragma once
// The XDG base directories that locate the desktop's default applications
// (mimeapps.list files and desktop entries), with the standard defaults.
#include <filesystem>
#include <string>
#include <vector>

struct XdgDirectories {
  std::filesystem::path configHome;                // $XDG_CONFIG_HOME, ~/.config
  std::vector<std::filesystem::path> configDirs;   // $XDG_CONFIG_DIRS, /etc/xdg
  std::filesystem::path dataHome;                  // $XDG_DATA_HOME, ~/.local/share
  std::vector<std::filesystem::path> dataDirs;     // $XDG_DATA_DIRS, /usr/local/share:/usr/share
  std::vector<std::string> desktops;               // $XDG_CURRENT_DESKTOP, lower case

  static XdgDirectories FromEnvironment();
};
