#pragma once
// Help text of lumora-cli: descriptions wrapped to 80 columns beside the
// option and subcommand names, so that the help reads like a man page in a
// terminal.
#include <CLI/CLI.hpp>

#include <string>

class CliHelpFormatter : public CLI::Formatter {
 public:
  static constexpr std::size_t kLineWidth = 80;
  static constexpr std::size_t kNameWidth = 24;

  CliHelpFormatter() { column_width(kNameWidth); }

  std::string make_option_desc(const CLI::Option* opt) const override;
  std::string make_subcommand(const CLI::App* sub) const override;
  std::string make_description(const CLI::App* app) const override;

  // Breaks text into lines of at most width characters at blanks; a word
  // longer than width stands on a line of its own.
  static std::string Wrap(const std::string& text, std::size_t width);
};
