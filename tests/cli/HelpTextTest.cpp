#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/HelpText.h"
#include "fakes/TestEnvironment.h"

// The words of the command line that need no program run: help wrapped to a width and the word a
// mistyped one most likely meant. The table is words.txt, the answers approved/cli/words.txt.
namespace zarvelin {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

TEST(HelpText, AnswersAsApproved) {
  fakes::ApproveCalls("cli/words", ZARVELIN_CLI_WORDS, [](const std::string& line) {
    std::istringstream in(line);
    std::string call;
    std::string first;
    in >> call >> first;
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty()) rest.erase(0, 1);
    if (call == "Closest") {
      return cli::Closest(first, Split(rest, ',')).value_or("(none)");
    }
    if (call == "Wrap") {
      // "|" in the table and the answer stands for a line break.
      std::string text = rest;
      for (char& c : text) c = c == '|' ? '\n' : c;
      std::string wrapped = cli::Wrap(text, std::stoul(first));
      for (char& c : wrapped) c = c == '\n' ? '|' : c;
      return wrapped;
    }
    throw std::invalid_argument("unknown call " + call);
  });
}

}  // namespace
}  // namespace zarvelin
