// Runs the cases of cases.txt (its head says how they read) through the built program.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "fakes/host/ProgramRun.h"
#include "fakes/host/TempDir.h"

namespace zarvelin::hostile {
namespace {

using Scratch = fakes::TempDir;

// A file's bytes; empty when it is missing.
std::string ReadOrEmpty(const Scratch& scratch, const std::string& name) {
  return scratch.Exists(name) ? scratch.Read(name) : std::string();
}

struct Case {
  std::string name;
  std::vector<std::pair<std::string, std::string>> given;
  std::vector<std::string> arguments;
  // Runs before the one checked, each of which must succeed, and what is changed after them.
  std::vector<std::vector<std::string>> preparations;
  std::vector<std::pair<std::string, std::string>> changed;
  std::vector<std::string> removed;
  std::string hook;
  bool succeeds = false;
  std::vector<std::pair<std::string, std::string>> wanted;
  std::vector<std::string> said;
  std::vector<std::string> unsaid;
  // Lines whose verb no case knows: a mistyped check must fail, never pass unchecked.
  std::vector<std::string> unknown;
};

void PrintTo(const Case& test, std::ostream* out) {
  *out << test.name;
}

std::string Unescaped(const std::string& text) {
  std::string bytes;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\\' || at + 1 == text.size()) {
      bytes += text[at];
      continue;
    }
    const char next = text[++at];
    if (next == 'x') {
      bytes += static_cast<char>(std::stoi(text.substr(at + 1, 2), nullptr, 16));
      at += 2;
    } else {
      bytes += next == 'r' ? '\r' : next == 'n' ? '\n' : next == '0' ? '\0' : next;
    }
  }
  return bytes;
}

std::vector<Case> LoadCases() {
  std::ifstream file(HOSTILE_CASES);
  std::vector<Case> cases;
  std::string line;
  while (std::getline(file, line)) {
    const std::string verb = line.substr(0, line.find(' '));
    const std::string rest = line.size() > verb.size() ? line.substr(verb.size() + 1) : "";
    const std::string before = rest.substr(0, rest.find(" ="));
    const std::string after =
        rest.find(" =") == std::string::npos
            ? ""
            : Unescaped(rest.substr(std::min(rest.size(), rest.find(" =") + 3)));
    if (verb == "case") cases.push_back({rest, {}, {}, {}, {}, {}, {}, false, {}, {}, {}, {}});
    if (cases.empty() || verb == "case" || verb.empty() || verb.starts_with('#')) continue;
    Case& test = cases.back();
    if (verb == "give") {
      const size_t star = before.find(" *");
      const int times = star == std::string::npos ? 1 : std::stoi(before.substr(star + 2));
      std::string bytes;
      for (int i = 0; i < times; ++i) bytes += after;
      test.given.emplace_back(before.substr(0, star), bytes);
    } else if (verb == "run" || verb == "prepare") {
      std::vector<std::string> arguments;
      for (size_t at = 0; at <= rest.size();) {
        const size_t bar = std::min(rest.find('|', at), rest.size());
        arguments.push_back(Unescaped(rest.substr(at, bar - at)));
        at = bar + 1;
      }
      if (verb == "run") test.arguments = std::move(arguments);
      if (verb == "prepare") test.preparations.push_back(std::move(arguments));
    } else if (verb == "change")
      test.changed.emplace_back(before, after);
    else if (verb == "remove")
      test.removed.push_back(rest);
    else if (verb == "hook")
      test.hook = rest;
    else if (verb == "status")
      test.succeeds = rest == "0";
    else if (verb == "want")
      test.wanted.emplace_back(before, after);
    else if (verb == "said")
      test.said.push_back(Unescaped(rest));
    else if (verb == "unsaid")
      test.unsaid.push_back(Unescaped(rest));
    else
      test.unknown.push_back(line);
  }
  return cases;
}

bool IsLink(const std::string& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

// What bytes cannot say: links, modes, a file that is there but cannot be read. Each hook
// prepares before the run and checks after it.
struct Hook {
  std::function<void(const Scratch&)> before;
  std::function<void(const Scratch&)> after;
};

// The limit a hook lowers for the program's run (inherited by it), put back afterwards.
rlimit savedFileSizeLimit{};

const std::map<std::string, Hook> kHooks{
    {"file-size-limit",
     {[](const Scratch& s) {
        // The runner keeps its own copy of the program, made on the first run: made under the
        // limit, it would be cut short, so the first run comes before the limit.
        ASSERT_EQ(fakes::RunZarvelin(s.HostPath(), {"--version"}).status, 0);
        getrlimit(RLIMIT_FSIZE, &savedFileSizeLimit);
        rlimit lowered = savedFileSizeLimit;
        lowered.rlim_cur = 2048;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
      },
      [](const Scratch&) { setrlimit(RLIMIT_FSIZE, &savedFileSizeLimit); }}},
    {"link-old-temporary",
     {[](const Scratch& s) {
        symlink(s.HostPath("victim").c_str(), s.HostPath("P.vbp.tmp").c_str());
      },
      [](const Scratch&) {}}},
    {"links-into-source",
     {[](const Scratch& s) {
        symlink(s.HostPath("p/m.bas").c_str(), s.HostPath("c/m.bas").c_str());
        link(s.HostPath("p/n.bas").c_str(), s.HostPath("c/n.bas").c_str());
      },
      [](const Scratch& s) {
        EXPECT_FALSE(IsLink(s.HostPath("c/m.bas")));
        s.Write("c/n.bas", "edited");
        EXPECT_EQ(s.Read("p/n.bas"), "Attribute VB_Name = \"n\"\r\n");
      }}},
    {"socket-module",
     {[](const Scratch& s) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        s.HostPath("p/m.bas").copy(address.sun_path, sizeof address.sun_path - 1);
        const int socketFile = socket(AF_UNIX, SOCK_STREAM, 0);
        EXPECT_EQ(bind(socketFile, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        close(socketFile);
      },
      [](const Scratch&) {}}},
    {"fifo-module",
     {[](const Scratch& s) { EXPECT_EQ(mkfifo(s.HostPath("p/m.bas").c_str(), 0644), 0); },
      [](const Scratch&) {}}},
    {"read-only-companion",
     {[](const Scratch& s) { chmod(s.HostPath("p/f.frx").c_str(), 0444); },
      [](const Scratch& s) {
        struct stat status {};
        EXPECT_EQ(stat(s.HostPath("c/f.frx").c_str(), &status), 0);
        EXPECT_NE(status.st_mode & S_IWUSR, 0u);
      }}},
    {"read-only",
     {[](const Scratch& s) { chmod(s.HostPath("P.vbp").c_str(), 0444); },
      [](const Scratch& s) {
        struct stat status {};
        stat(s.HostPath("P.vbp").c_str(), &status);
        EXPECT_EQ(status.st_mode & 0777, 0444u);
      }}},
    {"copy-left-as-it-was",
     {[](const Scratch&) {},
      [](const Scratch& s) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(s.HostPath("c"))) {
          names.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(names, std::vector<std::string>{".keep"});
      }}},
    {"linked-project",
     {[](const Scratch& s) {
        symlink(s.HostPath("real/R.vbp").c_str(), s.HostPath("P.vbp").c_str());
      },
      [](const Scratch& s) { EXPECT_TRUE(IsLink(s.HostPath("P.vbp"))); }}},
};

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class Hostile : public testing::TestWithParam<Case> {};

TEST_P(Hostile, EndsSoundly) {
  const Case& test = GetParam();
  EXPECT_TRUE(test.unknown.empty()) << "unknown lines: " << test.unknown.front();
  const Scratch scratch;
  scratch.Write("c/.keep", "");
  for (const auto& [name, bytes] : test.given)
    scratch.Write(name, ReadOrEmpty(scratch, name) + bytes);
  const Hook* hook = test.hook.empty() ? nullptr : &kHooks.at(test.hook);
  if (hook) hook->before(scratch);
  const auto inScratch = [&](const std::vector<std::string>& given) {
    std::vector<std::string> arguments;
    for (const std::string& argument : given) {
      const bool named = argument.starts_with('{') && argument.ends_with('}');
      arguments.push_back(named ? scratch.HostPath(argument.substr(1, argument.size() - 2))
                                : argument);
    }
    return arguments;
  };
  for (const std::vector<std::string>& preparation : test.preparations) {
    const fakes::ProgramRun prepared =
        fakes::RunZarvelin(scratch.HostPath(), inScratch(preparation));
    ASSERT_EQ(prepared.status, 0) << prepared.out << prepared.err;
  }
  for (const auto& [name, bytes] : test.changed) scratch.Write(name, bytes);
  for (const std::string& name : test.removed) std::filesystem::remove(scratch.HostPath(name));
  const fakes::ProgramRun run = fakes::RunZarvelin(scratch.HostPath(), inScratch(test.arguments));
  const std::string output = run.out + run.err;
  EXPECT_EQ(run.status == 0, test.succeeds) << output;
  for (const auto& [name, bytes] : test.wanted)
    EXPECT_EQ(ReadOrEmpty(scratch, name), bytes) << name;
  for (const std::string& text : test.said)
    EXPECT_NE(output.find(text), std::string::npos) << text << " in:\n" << output;
  for (const std::string& text : test.unsaid)
    EXPECT_EQ(output.find(text), std::string::npos) << text;
  EXPECT_LE(Count(output, "Error Information"), 1u) << output;
  EXPECT_LT(output.size(), 8192u);
  if (hook) hook->after(scratch);
}

INSTANTIATE_TEST_SUITE_P(Cases, Hostile, testing::ValuesIn(LoadCases()),
                         [](const auto& each) { return each.param.name; });

}  // namespace
}  // namespace zarvelin::hostile
