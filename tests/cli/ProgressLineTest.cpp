#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ProgressLine.h"

// A progress line on a terminal is redrawn in place, and whatever else is written to its stream
// clears it first. Each case is a list of steps ("draw TEXT", "write TEXT", "clear", "end": the
// line goes) and the bytes the terminal must receive.
namespace zarvelin {
namespace {

struct Case {
  const char* name;
  std::vector<std::string> steps;
  std::string received;
};

class ProgressLineCase : public testing::TestWithParam<Case> {};

TEST_P(ProgressLineCase, SendsTheTerminalTheseBytes) {
  std::ostringstream terminal;
  std::optional<cli::ProgressLine> line;
  line.emplace(terminal);
  for (const std::string& step : GetParam().steps) {
    const std::string verb = step.substr(0, step.find(' '));
    const std::string text = step.size() > verb.size() ? step.substr(verb.size() + 1) : "";
    if (verb == "draw")
      line->Draw(text);
    else if (verb == "write")
      terminal << text << std::flush;
    else if (verb == "clear")
      line->Clear();
    else if (verb == "end")
      line.reset();
    else
      ADD_FAILURE() << "unknown step: " << step;
  }
  line.reset();
  terminal << "after";
  EXPECT_EQ(terminal.str(), GetParam().received);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ProgressLineCase,
    testing::Values(
        Case{"RedrawnInPlace",
             {"draw [#  ] 10%", "draw [## ] 50%"},
             "\r[#  ] 10%\r[## ] 50%\r         \rafter"},
        Case{"AShorterLineCoversTheLongerOne",
             {"draw 100%", "draw 5%"},
             "\r100%\r5%  \r    \rafter"},
        Case{"AMessageClearsTheLineFirst",
             {"draw 50%", "write Error\n", "draw 60%"},
             "\r50%\r   \rError\n\r60%\r   \rafter"},
        Case{"NothingDrawnNothingCleared", {"write a\n", "clear"}, "a\nafter"},
        Case{"ClearedOnceOnly", {"draw 1%", "clear", "clear", "write b"}, "\r1%\r  \rbafter"},
        Case{"TheStreamIsGivenBackWhenTheLineGoes",
             {"draw 9%", "end", "write c"},
             "\r9%\r  \rcafter"}),
    [](const testing::TestParamInfo<Case>& each) { return each.param.name; });

}  // namespace
}  // namespace zarvelin
