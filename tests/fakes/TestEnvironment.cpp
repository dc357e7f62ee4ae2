#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

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
