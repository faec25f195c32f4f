#include "CliHelpFormatter.h"

#include <sstream>

std::string CliHelpFormatter::Wrap(const std::string& text, std::size_t width) {
  std::istringstream words(text);
  std::string word, line, out;
  while (words >> word) {
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      out += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + line;
}

std::string CliHelpFormatter::make_option_desc(const CLI::Option* opt) const {
  return Wrap(CLI::Formatter::make_option_desc(opt), kLineWidth - kNameWidth);
}

std::string CliHelpFormatter::make_subcommand(const CLI::App* sub) const {
  std::stringstream out;
  CLI::detail::format_help(out, sub->get_display_name(true),
                           Wrap(sub->get_description(), kLineWidth - kNameWidth), column_width_);
  return out.str();
}

std::string CliHelpFormatter::make_description(const CLI::App* app) const {
  const std::string desc = app->get_description();
  return desc.empty() ? std::string() : Wrap(desc, kLineWidth) + "\n\n";
}
