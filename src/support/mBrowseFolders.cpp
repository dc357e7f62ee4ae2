#include "support/mBrowseFolders.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

#include "platform/Platform.h"
#include "runtime/Formats.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"

namespace zarvelin::mBrowseFolders {
namespace {

constexpr const char* kSource = "BrowseFolders.BrowseForFolder";

// BFFM_INITIALIZED, and BFFM_SETSELECTIONA (wParam: -1 for a path text, 0 for an item).
constexpr uint32_t kInitialized = 1;
constexpr uint32_t kSetSelection = 0x466;

// GetVersionExA's NT platform identifier.
constexpr uint32_t kPlatformNt = 2;

// The special folders' constant names by number; numbers without a name are empty.
constexpr std::array<const char*, 49> kFolderNames{
    "CSIDL_DESKTOP",
    "CSIDL_INTERNET",
    "CSIDL_PROGRAMS",
    "CSIDL_CONTROLS",
    "CSIDL_PRINTERS",
    "CSIDL_PERSONAL",
    "CSIDL_FAVORITES",
    "CSIDL_STARTUP",
    "CSIDL_RECENT",
    "CSIDL_SENDTO",
    "CSIDL_BITBUCKET",
    "CSIDL_STARTMENU",
    "",
    "",
    "",
    "",
    "CSIDL_DESKTOPDIRECTORY",
    "CSIDL_DRIVES",
    "CSIDL_NETWORK",
    "CSIDL_NETHOOD",
    "CSIDL_FONTS",
    "CSIDL_TEMPLATES",
    "CSIDL_COMMON_STARTMENU",
    "CSIDL_COMMON_PROGRAMS",
    "CSIDL_COMMON_STARTUP",
    "CSIDL_COMMON_DESKTOPDIRECTORY",
    "CSIDL_APPDATA",
    "CSIDL_PRINTHOOD",
    "CSIDL_LOCAL_APPDATA",
    "CSIDL_ALTSTARTUP",
    "CSIDL_COMMON_ALTSTARTUP",
    "CSIDL_COMMON_FAVORITES",
    "CSIDL_INTERNET_CACHE",
    "CSIDL_COOKIES",
    "CSIDL_HISTORY",
    "CSIDL_COMMON_APPDATA",
    "CSIDL_WINDOWS",
    "CSIDL_SYSTEM",
    "CSIDL_PROGRAM_FILES",
    "CSIDL_MYPICTURES",
    "CSIDL_PROFILE",
    "",
    "",
    "CSIDL_PROGRAM_FILES_COMMON",
    "",
    "CSIDL_COMMON_TEMPLATES",
    "CSIDL_COMMON_DOCUMENTS",
    "CSIDL_COMMON_ADMINTOOLS",
    "CSIDL_ADMINTOOLS",
};

// Whether the pre-selection handed to the callback is a path text (true) or an item (false). It
// lasts from call to call: a call that gives the callback nothing new leaves it as it was.
bool& PreselectionIsPath() {
  static bool isPath = false;
  return isPath;
}

// IsNumeric: the whole text, blanks aside, is one decimal number.
std::optional<double> AsNumber(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string StartText(const StartFolder& start) {
  if (const auto* text = std::get_if<std::string>(&start)) return *text;
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.15g", std::get<double>(start));
  return digits;
}

// The special folder's item, released with the dialog whichever way it ends.
class FolderItem {
 public:
  FolderItem() = default;
  ~FolderItem() {
    if (item_ != 0) Sys().FreeFolderItem(item_);
  }
  FolderItem(const FolderItem&) = delete;
  FolderItem& operator=(const FolderItem&) = delete;
  intptr_t& Item() { return item_; }

 private:
  intptr_t item_ = 0;
};

}  // namespace

std::string BrowseForFolder(intptr_t hwndOwner, const std::string& sPrompt,
                            const std::optional<StartFolder>& vStartFolder) {
  try {
    FolderDialogRequest udtBI;
    udtBI.owner = hwndOwner;
    udtBI.title = sPrompt;
    udtBI.callback = BrowseCallback;

    // What the callback selects: the path's text, zero-terminated, or the special folder's item.
    std::vector<char> pathText;
    FolderItem specialFolder;
    const std::string sStart = vStartFolder ? StartText(*vStartFolder) : std::string();
    if (!sStart.empty()) {
      if (const std::optional<double> number = AsNumber(sStart)) {
        const int32_t lFolder = VbLong(*number);
        if (!IsSpecialFolderSupported(lFolder)) {
          throw VbError(vberr::kUnsupportedSpecialFolder, SpecialFolderErrorText(lFolder), kSource);
        }
        if (Sys().SpecialFolderLocation(hwndOwner, lFolder, specialFolder.Item()) == 0) {
          udtBI.callbackData = specialFolder.Item();
          PreselectionIsPath() = false;
        } else {
          specialFolder.Item() = 0;
        }
      } else {
        pathText.assign(sStart.size() + 1, '\0');
        std::memcpy(pathText.data(), sStart.data(), sStart.size());
        udtBI.callbackData = reinterpret_cast<intptr_t>(pathText.data());
        PreselectionIsPath() = true;
      }
    }

    FolderItem chosen;
    chosen.Item() = Sys().BrowseForFolderDialog(udtBI);
    if (chosen.Item() == 0) return std::string();
    const std::optional<std::string> buffer = Sys().PathFromFolderItem(chosen.Item());
    if (!buffer || buffer->find('\0') == std::string::npos) return std::string();
    return buffer->substr(0, buffer->find('\0'));
  } catch (...) {
    const VbError failure = AsVbError(std::current_exception());
    throw VbError(failure.Number(), failure.Description(), kSource);
  }
}

int32_t BrowseCallback(intptr_t hWnd, uint32_t uMsg, intptr_t /*lParam*/, intptr_t lpData) {
  if (uMsg == kInitialized) {
    Sys().SendWindowMessage(hWnd, kSetSelection, PreselectionIsPath() ? -1 : 0, lpData);
  }
  return 0;
}

std::string GetOSFamily() {
  const VersionRecord version = Sys().Version();
  if (!version.basicCallSucceeds || version.platformId != kPlatformNt) return "9X";
  return version.majorVersion == 5 ? "2K" : "NT";
}

bool IsSpecialFolderSupported(int32_t lFolder) {
  const std::string family = UpperAscii(GetOSFamily());
  if (family == "2K") return lFolder <= 48;
  if (family == "NT") return lFolder <= 34;
  return lFolder <= 21;
}

std::string SpecialFolderErrorText(int32_t lFolder) {
  const std::string family = UpperAscii(GetOSFamily());
  const char* system = family == "2K"   ? "Windows 2000"
                       : family == "NT" ? "Windows NT"
                                        : "Windows 9X";
  const bool named = lFolder >= 0 && lFolder < static_cast<int32_t>(kFolderNames.size());
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", static_cast<uint32_t>(lFolder));
  return std::string(system) + " operating system does not support this Special Folder constant: " +
         (named ? kFolderNames[static_cast<size_t>(lFolder)] : "") + " (0x" + hex + ")";
}

}  // namespace zarvelin::mBrowseFolders
