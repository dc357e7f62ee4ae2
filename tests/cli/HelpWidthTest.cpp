#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <string>

// Help read on a terminal is wrapped to the terminal's width: the program runs on a
// pseudo-terminal of each width, and its longest line must fit and use the room it has.
namespace zarvelin {
namespace {

// What the program writes to a terminal of the given columns, line ends as the terminal gives.
std::string HelpOnTerminal(unsigned short columns) {
  winsize size{};
  size.ws_col = columns;
  size.ws_row = 40;
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, &size);
  if (child == 0) {
    execl(ZARVELIN_PROGRAM, "zarvelin", "help", static_cast<char*>(nullptr));
    _exit(127);
  }
  std::string shown;
  char buffer[4096];
  // The terminal reads as failed (EIO) once the program has ended and closed it.
  for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;) {
    shown.append(buffer, static_cast<size_t>(got));
  }
  close(terminal);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << shown;
  return shown;
}

size_t LongestLine(const std::string& text) {
  std::istringstream lines(text);
  size_t longest = 0;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    longest = std::max(longest, line.size());
  }
  return longest;
}

class HelpWidth : public testing::TestWithParam<unsigned short> {};

TEST_P(HelpWidth, FitsTheTerminalAndUsesIt) {
  const unsigned short columns = GetParam();
  const size_t longest = LongestLine(HelpOnTerminal(columns));
  EXPECT_LE(longest, columns);
  EXPECT_GT(longest, columns - 12u);
}

INSTANTIATE_TEST_SUITE_P(Columns, HelpWidth, testing::Values(60, 100, 132));

}  // namespace
}  // namespace zarvelin
