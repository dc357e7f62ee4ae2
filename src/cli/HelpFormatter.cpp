#include "cli/HelpFormatter.h"

#include <algorithm>
#include <sstream>

#include "cli/HelpText.h"

namespace zarvelin::cli {
namespace {

// The name column; below 60 columns in all the descriptions would be too narrow to read.
constexpr size_t kNameColumn = 24;
constexpr size_t kNarrowest = 60;

}  // namespace

HelpFormatter::HelpFormatter(size_t width) : width_(std::max(width, kNarrowest)) {
  column_width(kNameColumn);
  label("SUBCOMMAND", "COMMAND");
  label("Positionals", "Arguments");
}

std::string HelpFormatter::make_option_opts(const CLI::Option* option) const {
  if (option->get_type_size() == 0 || option->get_positional()) return {};
  // The parser appends its validators' notation after a colon; the word alone says enough.
  const std::string name = option->get_type_name();
  return " " + name.substr(0, name.find(':'));
}

std::string HelpFormatter::make_option_desc(const CLI::Option* option) const {
  return Wrap(option->get_description(), DescriptionWidth());
}

std::string HelpFormatter::make_subcommand(const CLI::App* command) const {
  std::ostringstream out;
  CLI::detail::format_help(out, command->get_display_name(),
                           Wrap(command->get_description(), DescriptionWidth()), kNameColumn);
  return out.str();
}

std::string HelpFormatter::make_description(const CLI::App* app) const {
  const std::string description = app->get_description();
  return description.empty() ? std::string() : Wrap(description, width_) + "\n\n";
}

std::string HelpFormatter::make_footer(const CLI::App* app) const {
  const std::string footer = app->get_footer();
  return footer.empty() ? std::string() : "\n" + Wrap(footer, width_) + "\n";
}

size_t HelpFormatter::DescriptionWidth() const {
  return width_ - kNameColumn;
}

}  // namespace zarvelin::cli
