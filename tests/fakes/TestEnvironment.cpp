#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "runtime/Trap.h"
#include "runtime/VbError.h"

namespace zarvelin::fakes {
namespace {

AppFacts TestAppFacts() {
  AppFacts app;
  app.path = TestEnvironment::kAppPath;
  return app;
}

// Repeated lines (a progress bar's steps) count once, with how often they came in a row.
void Section(std::string& out, std::string_view title, const std::vector<std::string>& lines) {
  out += "== " + std::string(title) + "\n";
  for (size_t i = 0; i < lines.size();) {
    size_t run = 1;
    while (i + run < lines.size() && lines[i + run] == lines[i]) ++run;
    out += lines[i] + (run > 1 ? " (x" + std::to_string(run) + ")" : "") + "\n";
    i += run;
  }
}

}  // namespace

TestEnvironment::TestEnvironment()
    : session_(app::Services{files, clock, TestAppFacts(), platform, windows}) {
  files.PutDirectory(kAppPath);
  files.LoadTree(ZARVELIN_EXAMPLES_DIR "/ledger", "C:\\Projects\\Ledger");
  // Each test is a run of its own: a failure an earlier test reported is reported again here,
  // whether the tests run one program each or all in one.
  StartReportRound();
}

std::string TestEnvironment::Transcript(const std::vector<std::string>& directories) const {
  std::string out;
  Section(out, "platform", platform.Log());
  Section(out, "windows", windows.Calls());
  Section(out, "disk", files.Calls());
  for (const std::string& directory : directories) {
    for (const auto& [path, bytes] : files.FilesUnder(directory))
      out += "== file " + path + "\n" + ShowBytes(bytes);
  }
  return out;
}

std::vector<Case> LoadCases(const std::string& path) {
  std::ifstream in(path);
  std::vector<Case> cases;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("== ", 0) == 0) {
      cases.push_back({line.substr(3), {}});
    } else if (!line.empty() && line[0] != '#' && !cases.empty()) {
      cases.back().steps.push_back(line);
    }
  }
  return cases;
}

void PrintTo(const Case& testCase, std::ostream* out) {
  *out << testCase.name;
}

void ApproveCalls(const std::string& name, const std::string& path,
                  const std::function<std::string(const std::string& line)>& call,
                  const std::function<std::string()>& after) {
  std::ifstream table(path);
  std::string transcript;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::string answer;
    try {
      answer = call(line);
    } catch (const VbError& error) {
      answer = "error " + std::to_string(error.Number());
    }
    transcript += line + " => " + answer + "\n";
  }
  ExpectApproved(name, transcript + (after ? after() : std::string()));
}

std::string Unescape(std::string_view text, bool lineEnds) {
  std::string bytes;
  const auto hex = [&](size_t at) {
    return at < text.size() && std::isxdigit(static_cast<unsigned char>(text[at]));
  };
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == "\\x" && hex(i + 2) && hex(i + 3)) {
      bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16));
      i += 3;
    } else if (lineEnds && (text.substr(i, 2) == "\\r" || text.substr(i, 2) == "\\n")) {
      bytes += text[++i] == 'r' ? '\r' : '\n';
    } else {
      bytes += text[i];
    }
  }
  return bytes == "-" ? "" : bytes;
}

std::string ShowBytes(std::string_view bytes) {
  std::string out;
  bool lineOpen = false;
  for (const unsigned char c : bytes) {
    if (!lineOpen) out += "| ";
    lineOpen = true;
    if (c == '\n') {
      out += "\\n\n";
      lineOpen = false;
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return lineOpen ? out + "\n" : out;
}

void ExpectApproved(const std::string& name, const std::string& transcript) {
  const std::string path = ZARVELIN_APPROVED_DIR "/" + name + ".txt";
  const char* accept = std::getenv("ZARVELIN_ACCEPT");
  if (accept != nullptr && std::string(accept) == "1") {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << transcript;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path << " is missing; run with ZARVELIN_ACCEPT=1 to write it";
  const std::string approved(std::istreambuf_iterator<char>(in), {});
  EXPECT_EQ(approved, transcript) << "differs from " << path;
}

}  // namespace zarvelin::fakes
