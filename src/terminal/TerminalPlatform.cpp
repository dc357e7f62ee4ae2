#include "terminal/TerminalPlatform.h"

#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "console/MessageBoxText.h"
#include "console/SansSerifMetrics.h"
#include "forms/PathEllipsis.h"
#include "host/MountTable.h"
#include "host/Subprocess.h"
#include "host/SystemClipboard.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::terminal {
namespace {

constexpr double kScreenWidthPixels = 1024;
constexpr double kScreenHeightPixels = 768;
constexpr double kTwipsPerPixel = 15;

// ShellExecuteA's answers.
constexpr int32_t kShellFileNotFound = 2;
constexpr int32_t kShellPathNotFound = 3;
constexpr int32_t kShellOutOfResources = 0;
constexpr int32_t kShellNoAssociation = 31;
constexpr int32_t kShellStarted = 42;

// The folder dialog's window, the message that it has been initialised, and the message that
// selects a folder in it (BFFM_INITIALIZED, BFFM_SETSELECTIONA).
constexpr intptr_t kFolderDialogWindow = 0x7F00;
constexpr uint32_t kFolderDialogInitialized = 1;
constexpr uint32_t kSelectFolder = 0x466;
// E_FAIL: a special folder this host does not have.
constexpr int32_t kNoSuchSpecialFolder = static_cast<int32_t>(0x80004005u);
// CSIDL_DESKTOP, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_PROFILE: the home directory here.
constexpr int32_t kHomeFolders[] = {0, 5, 16, 40};
// MAX_PATH: what SHGetPathFromIDListA's buffer holds.
constexpr size_t kMaxPath = 260;

constexpr int32_t kPrinterError = 482;
constexpr int32_t kNoPrinterInformation = 484;

std::string SettingsDirectory(const std::string& configured) {
  if (!configured.empty()) return configured;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
    return std::string(config) + "/zarvelin";
  }
  std::string home;
  if (const char* variable = std::getenv("HOME"); variable && *variable) {
    home = variable;
  } else if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_dir) {
    home = entry->pw_dir;
  }
  return home + "/.config/zarvelin";
}

// A scheme name before a colon ("mailto:", "https:"); one letter would be a drive.
bool IsUrl(std::string_view file) {
  const size_t colon = file.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  const auto schemeByte = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '-' || c == '.';
  };
  const std::string_view scheme = file.substr(0, colon);
  return std::isalpha(static_cast<unsigned char>(scheme.front())) &&
         std::all_of(scheme.begin(), scheme.end(), schemeByte);
}

bool IsDirectory(const std::string& hostPath) {
  struct stat status {};
  return stat(hostPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool Exists(const std::string& hostPath) {
  struct stat status {};
  return stat(hostPath.c_str(), &status) == 0;
}

std::string HostParent(const std::string& hostPath) {
  const auto slash = hostPath.find_last_of('/');
  return slash == 0 || slash == std::string::npos ? "/" : hostPath.substr(0, slash);
}

// A vertical position in the form's scale mode, in points.
double Points(int32_t scaleMode, double value) {
  switch (scaleMode) {
    case 2:  // points
      return value;
    case 3:  // pixels
      return value * kTwipsPerPixel / 20;
    case 4:  // characters: 240 twips high
      return value * 12;
    case 5:  // inches
      return value * 72;
    case 6:  // millimetres
      return value * 72 / 25.4;
    case 7:  // centimetres
      return value * 72 / 2.54;
    default:  // twips, and a user scale read as twips
      return value / 20;
  }
}

// The numbers at the start of a kernel release such as "6.1.0-18-amd64".
std::vector<uint32_t> ReleaseNumbers(std::string_view release) {
  std::vector<uint32_t> numbers;
  size_t at = 0;
  while (at < release.size() && std::isdigit(static_cast<unsigned char>(release[at]))) {
    uint32_t number = 0;
    while (at < release.size() && std::isdigit(static_cast<unsigned char>(release[at]))) {
      number = number * 10 + static_cast<uint32_t>(release[at] - '0');
      ++at;
    }
    numbers.push_back(number);
    if (at >= release.size() || release[at] != '.') break;
    ++at;
  }
  return numbers;
}

NameAnswer Answered(const std::string& name, bool sizeCountsNul) {
  if (name.empty()) return NameAnswer{};
  return NameAnswer{true, name + '\0',
                    static_cast<uint32_t>(name.size() + (sizeCountsNul ? 1 : 0))};
}

}  // namespace

TerminalPlatform::TerminalPlatform(const host::PathMapper& paths, FileSystem& files,
                                   TerminalOptions options)
    : paths_(paths),
      files_(files),
      options_(std::move(options)),
      settings_(SettingsDirectory(options_.settingsDirectory)) {}

int32_t TerminalPlatform::MsgBox(std::string_view text, std::string_view title, int32_t style) {
  const int32_t answer = console::UnattendedAnswer(style, options_.yesNoAnswer);
  std::ostream& out = options_.messages ? *options_.messages : std::cerr;
  out << console::MessageBoxText(title, text, style, answer);
  out.flush();
  return answer;
}

void TerminalPlatform::DoEvents() {}

double TerminalPlatform::ScreenWidth() {
  return kScreenWidthPixels * kTwipsPerPixel;
}

double TerminalPlatform::ScreenHeight() {
  return kScreenHeightPixels * kTwipsPerPixel;
}

double TerminalPlatform::TwipsPerPixelX() {
  return kTwipsPerPixel;
}

int32_t TerminalPlatform::MousePointer() {
  return mousePointer_;
}

void TerminalPlatform::SetMousePointer(int32_t pointer) {
  mousePointer_ = pointer;
}

void TerminalPlatform::ClipboardClear() {
  clipboardText_.clear();
  clipboardBitmap_ = 0;
}

void TerminalPlatform::ClipboardSetText(std::string_view text) {
  clipboardText_ = text;
  if (options_.mirrorClipboard) host::MirrorToSystemClipboard(text);
}

std::string TerminalPlatform::ClipboardGetText() {
  return clipboardText_;
}

void TerminalPlatform::ClipboardSetBitmap(int32_t resourceId) {
  clipboardText_.clear();
  clipboardBitmap_ = resourceId;
}

ClipboardContent TerminalPlatform::ClipboardSave() {
  ClipboardContent content;
  if (!clipboardText_.empty()) content.push_back({clipformat::kText, clipboardText_});
  if (clipboardBitmap_ != 0) {
    content.push_back({clipformat::kBitmap, std::to_string(clipboardBitmap_)});
  }
  return content;
}

void TerminalPlatform::ClipboardRestore(const ClipboardContent& content) {
  ClipboardClear();
  for (const ClipboardFormat& held : content) {
    if (held.format == clipformat::kText) clipboardText_ = held.data;
    if (held.format == clipformat::kBitmap) clipboardBitmap_ = std::stoi(held.data);
  }
}

std::string TerminalPlatform::GetSetting(std::string_view app, std::string_view section,
                                         std::string_view key, std::string_view defaultValue) {
  return settings_.Get(app, section, key, defaultValue);
}

void TerminalPlatform::SaveSetting(std::string_view app, std::string_view section,
                                   std::string_view key, std::string_view value) {
  settings_.Save(app, section, key, value);
}

void TerminalPlatform::DeleteSetting(std::string_view app, std::string_view section,
                                     std::string_view key) {
  settings_.Delete(app, section, key);
}

int32_t TerminalPlatform::DriveType(std::string_view root) {
  // A root is "X:\" (or "X:") or "\\server\share\"; anything else names no root directory.
  const bool driveRoot = (root.size() == 2 || (root.size() == 3 && root[2] == '\\')) &&
                         root[1] == ':' && std::isalpha(static_cast<unsigned char>(root[0]));
  const bool shareRoot = root.size() > 2 && root.substr(0, 2) == "\\\\";
  if (!driveRoot && !shareRoot) return drive::kNoRootDir;
  if (driveRoot) {
    const char letter = UpperAscii(root.substr(0, 1)).front();
    for (const auto& [declared, type] : options_.driveTypes) {
      if (UpperAscii(std::string(1, declared)).front() == letter) return type;
    }
  }

  std::string host;
  try {
    host = paths_.ToHost(driveRoot ? std::string(root.substr(0, 2)) + "\\" : std::string(root));
  } catch (const VbError&) {
    return drive::kNoRootDir;
  }
  if (!IsDirectory(host)) return drive::kNoRootDir;
  char resolved[PATH_MAX];
  if (realpath(host.c_str(), resolved) != nullptr) host = resolved;

  std::ifstream mounts(options_.mountsFile, std::ios::binary);
  const std::string table{std::istreambuf_iterator<char>(mounts), {}};
  return host::DriveTypeOfDirectory(host::ParseMounts(table), host);
}

int32_t TerminalPlatform::ShellExecuteFile(intptr_t, std::string_view verb, std::string_view file,
                                           std::string_view, std::string_view directory, int32_t) {
  const bool explore = EqualNoCase(verb, "explore");
  if (!verb.empty() && !EqualNoCase(verb, "open") && !explore) return kShellNoAssociation;

  std::string target(file);
  // A mail is a window on the user's desktop: only a user who asked for one gets it.
  if (!options_.openMail && EqualNoCase(file.substr(0, 7), "mailto:")) return kShellNoAssociation;
  if (!IsUrl(file)) {
    std::string vbPath(file);
    const bool relative = !(vbPath.size() >= 2 && (vbPath[1] == ':' || vbPath[0] == '\\'));
    if (relative) vbPath = JoinPath(directory, vbPath);
    try {
      target = paths_.ToHost(vbPath);
    } catch (const VbError& error) {
      return error.Number() == vberr::kPathNotFound ? kShellPathNotFound : kShellFileNotFound;
    }
    if (explore && !IsDirectory(target)) return kShellPathNotFound;
    if (!Exists(target)) {
      return IsDirectory(HostParent(target)) ? kShellFileNotFound : kShellPathNotFound;
    }
  }
  if (!host::FindProgram(options_.opener)) return kShellNoAssociation;
  return host::SpawnDetached({options_.opener, target}) ? kShellStarted : kShellOutOfResources;
}

std::string TerminalPlatform::PrinterDeviceName() {
  const auto answer = host::RunForOutput({options_.printerQuery, "-d"});
  constexpr std::string_view kLead = "system default destination:";
  const size_t lead = answer ? answer->find(kLead) : std::string::npos;
  if (lead == std::string::npos) throw VbError(kNoPrinterInformation);
  const size_t start = lead + kLead.size();
  const size_t end = std::min(answer->find('\n', start), answer->size());
  const std::string name(Trim(answer->substr(start, end - start)));
  if (name.empty()) throw VbError(kNoPrinterInformation);
  return name;
}

void TerminalPlatform::PrintDocument(std::string_view text, int32_t scaleMode, float currentY) {
  const long top = std::lround(Points(scaleMode, currentY));
  const auto status = host::RunWithInput(
      {options_.printCommand, "-o", "page-top=" + std::to_string(top < 0 ? 0 : top)},
      console::ConsoleLines(text));
  if (status != 0) throw VbError(kPrinterError);
}

int32_t TerminalPlatform::SpecialFolderLocation(intptr_t, int32_t folder, intptr_t& item) {
  const char* home = std::getenv("HOME");
  if (std::find(std::begin(kHomeFolders), std::end(kHomeFolders), folder) ==
          std::end(kHomeFolders) ||
      home == nullptr || *home != '/') {
    return kNoSuchSpecialFolder;
  }
  item = ++lastFolderItem_;
  folderItems_[item] = paths_.ToVb(home);
  return 0;
}

intptr_t TerminalPlatform::BrowseForFolderDialog(const FolderDialogRequest& request) {
  preselectedFolder_.reset();
  if (request.callback) {
    request.callback(kFolderDialogWindow, kFolderDialogInitialized, 0, request.callbackData);
  }
  std::istream* in = options_.answers;
  if (in == nullptr && isatty(STDIN_FILENO)) in = &std::cin;
  if (in == nullptr) return 0;

  std::ostream& out = options_.messages ? *options_.messages : std::cerr;
  out << console::ConsoleLines(request.title) << "\n";
  if (preselectedFolder_) out << "[" << *preselectedFolder_ << "] ";
  out << "Folder (end of input cancels): ";
  out.flush();
  std::string answer;
  if (!std::getline(*in, answer)) return 0;
  answer = Trim(answer);
  if (answer.empty()) {
    if (!preselectedFolder_) return 0;
    answer = *preselectedFolder_;
  } else if (answer.front() == '/') {
    answer = paths_.ToVb(answer);
  }
  const intptr_t item = ++lastFolderItem_;
  folderItems_[item] = answer;
  return item;
}

std::optional<std::string> TerminalPlatform::PathFromFolderItem(intptr_t item) {
  const auto found = folderItems_.find(item);
  if (found == folderItems_.end() || found->second.size() >= kMaxPath) return std::nullopt;
  try {
    if (!IsDirectory(paths_.ToHost(found->second))) return std::nullopt;
  } catch (const VbError&) {
    return std::nullopt;
  }
  std::string buffer = found->second;
  buffer.resize(kMaxPath, '\0');
  return buffer;
}

void TerminalPlatform::FreeFolderItem(intptr_t item) {
  folderItems_.erase(item);
}

intptr_t TerminalPlatform::SendWindowMessage(intptr_t window, uint32_t message, intptr_t wParam,
                                             intptr_t lParam) {
  if (window != kFolderDialogWindow || message != kSelectFolder || lParam == 0) return 0;
  if (wParam != 0) {
    // As with the shell's dialog, the parameter is the address of the path's 8-bit text.
    preselectedFolder_ = std::string(reinterpret_cast<const char*>(lParam));
  } else if (const auto found = folderItems_.find(lParam); found != folderItems_.end()) {
    preselectedFolder_ = found->second;
  }
  return 0;
}

std::string TerminalPlatform::CompactPath(intptr_t, std::string_view path, int32_t widthPixels) {
  const forms::Font font;
  return forms::PathEllipsis(path, widthPixels * kTwipsPerPixel, [&](std::string_view text) {
    return console::SansSerifTextWidthTwips(font, text);
  });
}

VersionRecord TerminalPlatform::Version() {
  utsname host{};
  VersionRecord record;
  // Not Windows: neither the 9x (1) nor the NT (2) family, so no Windows name is claimed.
  record.platformId = 0;
  if (uname(&host) != 0) return record;
  const std::vector<uint32_t> numbers = ReleaseNumbers(host.release);
  record.majorVersion = numbers.size() > 0 ? numbers[0] : 0;
  record.minorVersion = numbers.size() > 1 ? numbers[1] : 0;
  record.buildNumber = numbers.size() > 2 ? static_cast<int32_t>(numbers[2]) : 0;
  // The record's service-pack field holds 127 characters and its NUL.
  record.servicePack =
      (std::string(host.sysname) + " " + host.release + " " + host.machine).substr(0, 127);
  return record;
}

NameAnswer TerminalPlatform::UserName() {
  if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name) {
    return Answered(entry->pw_name, true);
  }
  const char* variable = std::getenv("USER");
  return Answered(variable ? variable : "", true);
}

NameAnswer TerminalPlatform::ComputerName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return NameAnswer{};
  const std::string hostName(name);
  return Answered(hostName.substr(0, hostName.find('.')), false);
}

void TerminalPlatform::LogEvent(std::string_view logFile, std::string_view text) {
  // A log kept under the user's state directory is made on its first entry.
  std::error_code unmade;
  std::filesystem::create_directories(
      std::filesystem::path(paths_.ToHost(std::string(logFile))).parent_path(), unmade);
  files_.AppendText(std::string(logFile), text);
}

}  // namespace zarvelin::terminal
