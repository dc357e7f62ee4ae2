#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <string>

namespace zarvelin::cli {

// The parser's help laid out for a reader: every text wrapped to the width of the terminal, and
// an option shown with the word for its value (--major N), never the parser's own notation of
// types, ranges and requirements.
class HelpFormatter : public CLI::Formatter {
 public:
  explicit HelpFormatter(size_t width);

  std::string make_option_opts(const CLI::Option* option) const override;
  std::string make_option_desc(const CLI::Option* option) const override;
  std::string make_subcommand(const CLI::App* command) const override;
  std::string make_description(const CLI::App* app) const override;
  std::string make_footer(const CLI::App* app) const override;

 private:
  // The width of what follows the name column.
  size_t DescriptionWidth() const;

  size_t width_;
};

}  // namespace zarvelin::cli
