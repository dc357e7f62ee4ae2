#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "fakes/TestEnvironment.h"
#include "fakes/host/TempDir.h"
#include "host/HostFileSystem.h"
#include "host/PathMapper.h"

// The host's files behind VB paths, worked line by line as calls.txt says, in one directory whose
// c/, d/ and share/ are the drives C:, D: and the share \\Server\Share. Each call's answer (or
// its error number) and the host bytes asked for are approved in approved/host/calls.txt, with
// the directory shown as <tmp>. Calls run in order, so later ones see what earlier ones changed.
namespace zarvelin::host {
namespace {

// In a path "\xE9" stands for that byte; in bytes to write also "\r" and "\n"; "-" is nothing.
std::string Unescape(const std::string& text, bool lineEnds) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto digit = [&](size_t at) {
      return at < text.size() && std::isxdigit(static_cast<unsigned char>(text[at]));
    };
    if (text.compare(i, 2, "\\x") == 0 && digit(i + 2) && digit(i + 3)) {
      bytes += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else if (lineEnds && (text.compare(i, 2, "\\r") == 0 || text.compare(i, 2, "\\n") == 0)) {
      bytes += text[++i] == 'r' ? '\r' : '\n';
    } else {
      bytes += text[i];
    }
  }
  return bytes == "-" ? "" : bytes;
}

std::string Path(const std::string& text) {
  return Unescape(text, false);
}

std::string Bytes(const std::string& text) {
  return Unescape(text, true);
}

TEST(HostCalls, AnswerAsApproved) {
  fakes::TempDir tree;
  for (const char* directory : {"c/work", "d", "share"}) tree.MakeDirectory(directory);
  PathMapperConfig config;
  config.drives = {{'c', tree.HostPath("c")}, {'D', tree.HostPath("d")}};
  config.shares = {{"\\\\Server\\Share", tree.HostPath("share")}};
  config.workingDirectory = "C:\\work";
  const PathMapper paths(config);
  HostFileSystem files(paths);

  using Args = std::vector<std::string>;
  const std::map<std::string, std::function<std::string(const Args&)>> calls = {
      {"write",
       [&](const Args& a) {
         tree.Write(Path(a[0]), Bytes(a[1]));
         return std::string();
       }},
      {"mkdir",
       [&](const Args& a) {
         tree.MakeDirectory(a[0]);
         return std::string();
       }},
      {"chmod",
       [&](const Args& a) {
         return std::to_string(chmod(tree.HostPath(a[0]).c_str(), std::stoi(a[1], nullptr, 8)));
       }},
      {"symlink",
       [&](const Args& a) {
         return std::to_string(symlink(tree.HostPath(a[0]).c_str(), tree.HostPath(a[1]).c_str()));
       }},
      {"bytes",
       [&](const Args& a) {
         const std::string shown = fakes::ShowBytes(tree.Read(a[0]));
         return shown.substr(0, shown.size() - 1);
       }},
      {"list",
       [&](const Args& a) {
         std::string names;
         for (const std::string& name : tree.List(a[0])) names += "[" + name + "]";
         return names;
       }},
      {"Absolute", [&](const Args& a) { return paths.Absolute(Path(a[0])); }},
      {"ToHost", [&](const Args& a) { return paths.ToHost(Path(a[0])); }},
      {"ToVb", [&](const Args& a) { return paths.ToVb(Path(a[0])); }},
      {"Attributes", [&](const Args& a) { return std::to_string(files.Attributes(a[0])); }},
      {"FindFirst", [&](const Args& a) { return files.FindFirst(a[0], std::stoi(a[1])); }},
      {"SameFile", [&](const Args& a) { return std::to_string(files.SameFile(a[0], a[1])); }},
      {"MakeDirectory",
       [&](const Args& a) {
         files.MakeDirectory(a[0]);
         return std::string();
       }},
      {"Copy",
       [&](const Args& a) {
         files.Copy(a[0], a[1]);
         return std::string();
       }},
      {"Delete",
       [&](const Args& a) {
         files.Delete(a[0]);
         return std::string();
       }},
      {"Rename",
       [&](const Args& a) {
         files.Rename(a[0], a[1]);
         return std::string();
       }},
      {"Replace",
       [&](const Args& a) {
         files.Replace(a[0], a[1]);
         return std::string();
       }},
      {"Append",
       [&](const Args& a) {
         files.AppendText(a[0], Bytes(a[1]));
         return std::string();
       }},
      {"Read",
       [&](const Args& a) {
         const auto reader = files.OpenText(a[0]);
         std::string lines;
         while (const auto line = reader->ReadLine()) lines += "[" + *line + "]";
         return lines;
       }},
      {"Create",
       [&](const Args& a) {
         const auto writer = files.CreateText(a[0]);
         for (size_t i = 1; i < a.size(); ++i) writer->WriteLine(Bytes(a[i]));
         writer->Close();
         return std::string();
       }},
  };

  std::ifstream table(ZARVELIN_HOST_CALLS);
  std::string transcript;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string name;
    Args args;
    words >> name;
    for (std::string word; words >> word;) {
      for (size_t at = word.find("<tmp>"); at != std::string::npos; at = word.find("<tmp>"))
        word.replace(at, 5, tree.HostPath());
      args.push_back(word);
    }
    std::string answer;
    try {
      answer = calls.at(name)(args);
    } catch (const VbError& error) {
      answer = "error " + std::to_string(error.Number());
    }
    for (const std::string& spelling : {tree.HostPath(), tree.VbPath()}) {
      for (size_t at = answer.find(spelling); at != std::string::npos; at = answer.find(spelling))
        answer.replace(at, spelling.size(), "<tmp>");
    }
    transcript += line + " => " + answer + "\n";
  }
  fakes::ExpectApproved("host/calls", transcript);
}

}  // namespace
}  // namespace zarvelin::host
