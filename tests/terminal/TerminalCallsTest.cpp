#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "fakes/TestEnvironment.h"
#include "fakes/host/TempDir.h"
#include "host/HostFileSystem.h"
#include "host/PathMapper.h"
#include "support/mBrowseFolders.h"
#include "terminal/TerminalPlatform.h"

// The host's files behind VB paths and the terminal's services, worked line by line as calls.txt
// says, in one directory whose c/, d/ and share/ are the drives C:, D: and the share
// \\Server\Share. Each call's answer (or its error number), what the terminal showed and the host
// bytes asked for are approved in approved/terminal/calls.txt, with the directory shown as <tmp>.
// Calls run in order, so later ones see what earlier ones changed.
namespace zarvelin::terminal {
namespace {

std::string Answer(fakes::TempDir& tree, host::PathMapper& paths, host::HostFileSystem& files,
                   TerminalPlatform& platform, std::istringstream& typed, const std::string& name,
                   const std::vector<std::string>& raw) {
  std::vector<std::string> a;  // paths
  std::vector<std::string> t;  // texts
  for (const std::string& word : raw) {
    a.push_back(fakes::Unescape(word, false));
    t.push_back(fakes::Unescape(word));
  }
  a.resize(5);
  t.resize(5);
  std::string out;
  if (name == "write") tree.Write(a[0], t[1]);
  if (name == "mkdir") tree.MakeDirectory(a[0]);
  if (name == "chmod")
    out = std::to_string(chmod(tree.HostPath(a[0]).c_str(), std::stoi(a[1], nullptr, 8)));
  if (name == "symlink")
    out = std::to_string(symlink(tree.HostPath(a[0]).c_str(), tree.HostPath(a[1]).c_str()));
  if (name == "bytes") out = fakes::ShowBytes(tree.Read(a[0]));
  if (name == "list")
    for (const std::string& entry : tree.List(a[0])) out += "[" + entry + "]";
  if (name == "Absolute") out = paths.Absolute(a[0]);
  if (name == "ToHost") out = paths.ToHost(a[0]);
  if (name == "ToVb") out = paths.ToVb(a[0]);
  if (name == "Attributes") out = std::to_string(files.Attributes(a[0]));
  if (name == "FindFirst") out = files.FindFirst(a[0], std::stoi(a[1]));
  if (name == "SameFile") out = std::to_string(files.SameFile(a[0], a[1]));
  if (name == "MakeDirectory") files.MakeDirectory(a[0]);
  if (name == "Copy") files.Copy(a[0], a[1]);
  if (name == "Delete") files.Delete(a[0]);
  if (name == "Rename") files.Rename(a[0], a[1]);
  if (name == "Replace") files.Replace(a[0], a[1]);
  if (name == "Append") files.AppendText(a[0], t[1]);
  if (name == "Read") {
    const auto reader = files.OpenText(a[0]);
    while (const auto line = reader->ReadLine()) out += "[" + *line + "]";
  }
  if (name == "Create") {
    const auto staged = files.Stage(a[0]);
    for (size_t i = 1; i < raw.size(); ++i) staged->Write(t[i] + "\r\n");
    staged->Commit();
  }
  if (name == "MsgBox") out = std::to_string(platform.MsgBox(t[2], t[1], std::stoi(a[0])));
  if (name == "DriveType") out = std::to_string(platform.DriveType(a[0]));
  if (name == "Shell") out = std::to_string(platform.ShellExecuteFile(0, a[0], a[1], "", a[2], 1));
  if (name == "Save") platform.SaveSetting(t[0], t[1], t[2], t[3]);
  if (name == "Get") out = platform.GetSetting(t[0], t[1], t[2], t[3]);
  if (name == "Clipboard") {
    platform.ClipboardSetBitmap(101);
    if (!t[0].empty()) platform.ClipboardSetText(t[0]);
    out = platform.ClipboardGetText() + " bitmap " + std::to_string(platform.ClipboardBitmap());
    platform.ClipboardClear();
    out += " cleared [" + platform.ClipboardGetText() + "] " +
           std::to_string(platform.ClipboardBitmap());
  }
  if (name == "ClipboardKept") {
    // What the user had on the clipboard survives a bitmap put there meanwhile.
    if (t[0] == "bitmap") platform.ClipboardSetBitmap(7);
    if (t[0] != "bitmap" && !t[0].empty()) platform.ClipboardSetText(t[0]);
    const ClipboardContent kept = platform.ClipboardSave();
    platform.ClipboardSetBitmap(101);
    platform.ClipboardRestore(kept);
    out = "[" + platform.ClipboardGetText() + "] bitmap " +
          std::to_string(platform.ClipboardBitmap()) + " formats " + std::to_string(kept.size());
  }
  if (name == "Log") platform.LogEvent(a[0], t[1]);
  if (name == "Compact") out = platform.CompactPath(0, a[0], std::stoi(a[1]));
  if (name == "Browse") {
    typed.clear();
    typed.str(t[1]);
    const ScopedService<Platform> installed(platform);
    out = "[" + mBrowseFolders::BrowseForFolder(0, "Select:", a[0]) + "]";
  }
  return out;
}

TEST(TerminalCalls, AnswerAsApproved) {
  fakes::TempDir tree;
  for (const char* directory : {"c/work", "d", "e", "share"}) tree.MakeDirectory(directory);
  host::PathMapperConfig config;
  config.drives = {{'c', tree.HostPath("c")},
                   {'D', tree.HostPath("d")},
                   {'E', tree.HostPath("e")},
                   {'M', tree.HostPath("missing")}};
  config.shares = {{"\\\\Server\\Share", tree.HostPath("share")}};
  config.workingDirectory = "C:\\work";
  host::PathMapper paths(config);
  host::HostFileSystem files(paths);
  // Comments, relative and short lines and broken escapes are no mounts.
  tree.Write("mounts", "overlay / overlay rw 0 0\n#x /d iso9660\nx rel iso9660\nshort\n/dev/sr0 " +
                           tree.HostPath("d") + "\\04x iso9660\ntmpfs " + tree.HostPath("c") +
                           " tmpfs rw 0 0\nsrv:/x " + tree.HostPath("e") + " nfs4 rw 0 0\n");
  std::ostringstream shown;
  std::istringstream typed;
  TerminalOptions options;
  options.answers = &typed;
  options.settingsDirectory = tree.HostPath("settings");
  options.mirrorClipboard = false;
  options.messages = &shown;
  options.opener = "true";
  options.mountsFile = tree.HostPath("mounts");
  options.driveTypes = {{'d', drive::kCdRom}};
  TerminalPlatform platform(paths, files, options);

  fakes::ApproveCalls("terminal/calls", ZARVELIN_TERMINAL_CALLS, [&](const std::string& line) {
    std::istringstream words(line);
    std::string name;
    std::vector<std::string> args;
    words >> name;
    for (std::string word; words >> word;) {
      for (size_t at = word.find("<tmp>"); at != std::string::npos; at = word.find("<tmp>"))
        word.replace(at, 5, tree.HostPath());
      args.push_back(word);
    }
    std::string answer;
    try {
      answer = Answer(tree, paths, files, platform, typed, name, args);
    } catch (const VbError& error) {
      answer = "error " + std::to_string(error.Number());
    }
    answer += shown.str();
    shown.str("");
    for (const std::string& spelling : {tree.HostPath(), tree.VbPath()}) {
      for (size_t at = answer.find(spelling); at != std::string::npos; at = answer.find(spelling))
        answer.replace(at, spelling.size(), "<tmp>");
    }
    return answer;
  });
}

}  // namespace
}  // namespace zarvelin::terminal
