// The Windows services on the real system calls: the file layer (staging, refusals, error
// numbers, line reading) and the platform (settings store, version record, clipboard, names,
// drives, special folders, the shell, messages, path compaction). Files are looked at with the
// system's own calls, not through the layer under test. One PASS or FAIL line per check; the exit
// status is the number of failed checks.
#include <windows.h>
// Separate: the shell header builds on the one above.
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "runtime/VbError.h"
#include "ui/OsDescription.h"
#include "win32/WideText.h"
#include "win32/Win32Platform.h"
#include "win32/WinCodePages.h"
#include "win32/WinFileSystem.h"

namespace {

using zarvelin::VbError;
using zarvelin::win32::Narrow;
using zarvelin::win32::Wide;

int passed = 0;
int failed = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what);
  ++(ok ? passed : failed);
}

// The run-time error number the call fails with; 0 when it succeeds.
template <class Call>
int32_t FailureOf(Call&& call) {
  try {
    call();
    return 0;
  } catch (const VbError& error) {
    return error.Number();
  }
}

std::optional<std::string> Contents(const std::wstring& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char piece[4096];
  DWORD count = 0;
  while (ReadFile(file, piece, sizeof piece, &count, nullptr) && count > 0) {
    bytes.append(piece, count);
  }
  CloseHandle(file);
  return bytes;
}

void Put(const std::wstring& path, const std::string& bytes) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD count = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr);
  CloseHandle(file);
}

// Every name in the directory but "." and "..", hidden ones included.
std::vector<std::wstring> Listing(const std::wstring& directory) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::vector<std::string> Lines(zarvelin::FileSystem& files, const std::string& path) {
  std::vector<std::string> lines;
  const auto reader = files.OpenText(path);
  while (const std::optional<std::string> line = reader->ReadLine()) lines.push_back(*line);
  return lines;
}

void CheckFiles(zarvelin::win32::WinFileSystem& files, const std::wstring& root) {
  const std::string dir = Narrow(root);
  Check(FailureOf([&] { files.MakeDirectory(dir); }) == 0 &&
            (files.Attributes(dir) & zarvelin::fileattr::kDirectory) != 0,
        "MkDir makes a directory with a non-ASCII name");
  Check(FailureOf([&] { files.MakeDirectory(dir); }) == zarvelin::vberr::kPathFileAccessError,
        "MkDir of an existing directory fails with 75");
  const std::string inner = dir + "\\leer";
  files.MakeDirectory(inner);
  files.AppendText(inner + "\\x.txt", "x");
  Check(FailureOf([&] { files.RemoveEmptyDirectory(inner); }) ==
            zarvelin::vberr::kPathFileAccessError,
        "RmDir of a directory that holds a file fails with 75 and keeps it");
  files.Delete(inner + "\\x.txt");
  Check(FailureOf([&] { files.RemoveEmptyDirectory(inner); }) == 0 &&
            FailureOf([&] { files.Attributes(inner); }) != 0,
        "RmDir removes an empty directory");

  const std::string target = dir + "\\Projekt \xE3\x83\x86.vbp";
  const std::wstring wideTarget = Wide(target);
  {
    const auto staged = files.Stage(target);
    staged->Write("one\r\ntwo");
    Check(!staged->TargetExisted() && !Contents(wideTarget) && Listing(root).size() == 1,
          "a staged new file waits beside its target until Commit");
    staged->Commit();
  }
  Check(Contents(wideTarget) == "one\r\ntwo" && Listing(root).size() == 1,
        "Commit puts the staged file at the target and leaves no temporary file");

  {
    const auto staged = files.Stage(target);
    staged->Write("dropped");
    Check(staged->TargetExisted(), "staging over an existing file says it existed");
  }
  Check(Contents(wideTarget) == "one\r\ntwo" && Listing(root).size() == 1,
        "a staged file dropped without Commit leaves the target and takes its temporary file");

  {
    const auto staged = files.Stage(target);
    staged->Write("replaced");
    staged->Commit();
  }
  Check(Contents(wideTarget) == "replaced", "Commit replaces an existing file");

  const std::string locked = dir + "\\locked.txt";
  Put(Wide(locked), "keep");
  SetFileAttributesW(Wide(locked).c_str(), FILE_ATTRIBUTE_READONLY);
  Check(FailureOf([&] { files.Stage(locked); }) == zarvelin::vberr::kPathFileAccessError &&
            Contents(Wide(locked)) == "keep" && Listing(root).size() == 2,
        "a read-only target is refused with 75 before anything is written");
  Check(FailureOf([&] { files.Copy(target, locked); }) == zarvelin::vberr::kPathFileAccessError,
        "FileCopy onto a read-only file fails with 75");

  Check(FailureOf([&] { files.OpenText(dir + "\\missing.txt"); }) == zarvelin::vberr::kFileNotFound,
        "opening a missing file fails with 53");
  Check(FailureOf([&] { files.OpenText(dir + "\\no folder\\missing.txt"); }) ==
            zarvelin::vberr::kPathNotFound,
        "opening a file in a missing folder fails with 76");
  Check(FailureOf([&] { files.Stage(dir + "\\no folder\\new.txt"); }) ==
            zarvelin::vberr::kPathNotFound,
        "staging in a missing folder fails with 76");
  Check(FailureOf([&] { files.OpenText(dir); }) == zarvelin::vberr::kPathFileAccessError,
        "opening a directory as text fails with 75");
  Check(FailureOf([&] { files.Delete(dir + "\\missing.txt"); }) == zarvelin::vberr::kFileNotFound,
        "Kill of a missing file fails with 53");

  const std::string copy = dir + "\\copy.vbp";
  Check(FailureOf([&] { files.Copy(target, copy); }) == 0 && Contents(Wide(copy)) == "replaced",
        "FileCopy makes a new file with the same bytes");
  Check(FailureOf([&] { files.Copy(dir + "\\missing.txt", copy); }) ==
                zarvelin::vberr::kFileNotFound &&
            Contents(Wide(copy)) == "replaced",
        "FileCopy of a missing source fails with 53 and leaves the target");
  std::string otherCase = copy;
  otherCase.replace(otherCase.size() - 8, 4, "COPY");
  Check(FailureOf([&] { files.Copy(copy, copy); }) == zarvelin::vberr::kPathFileAccessError &&
            FailureOf([&] { files.Copy(copy, otherCase); }) ==
                zarvelin::vberr::kPathFileAccessError &&
            Contents(Wide(copy)) == "replaced" && Listing(root).size() == 3,
        "FileCopy of a file onto itself, in any letter case, fails with 75 and changes nothing");
  Check(files.SameFile(copy, otherCase) && !files.SameFile(copy, target),
        "SameFile knows one file under two spellings");
  Check(FailureOf([&] { files.Rename(copy, target); }) == zarvelin::vberr::kFileAlreadyExists,
        "Name onto an existing file fails with 58");
  Check(files.FindFirst(dir + "\\*.VBP", zarvelin::fileattr::kNormal) != "" &&
            files.FindFirst(dir + "\\*.frm", zarvelin::fileattr::kNormal).empty(),
        "Dir finds by pattern without regard to letter case");

  const std::string text = dir + "\\lines.txt";
  Put(Wide(text), "cr\rlf\ncrlf\r\n\r\nlast");
  Check(Lines(files, text) == std::vector<std::string>{"cr", "lf", "crlf", "", "last"},
        "Line Input ends lines at CR, LF and CR LF, and takes a last line without an end");
  files.AppendText(text, "\r\nmore");
  files.AppendText(dir + "\\new.log", "first");
  files.AppendText(dir + "\\new.log", " second");
  Check(Contents(Wide(text)) == "cr\rlf\ncrlf\r\n\r\nlast\r\nmore" &&
            Contents(Wide(dir + "\\new.log")) == "first second",
        "Append adds to a file and creates a missing one");

  const std::string linked = dir + "\\linked.vbp";
  CreateHardLinkW(Wide(linked).c_str(), Wide(copy).c_str(), nullptr);
  Check(files.SameFile(copy, linked) && FailureOf([&] { files.Copy(copy, linked); }) == 0 &&
            !files.SameFile(copy, linked) && Contents(Wide(linked)) == "replaced",
        "FileCopy onto another name of the source makes that name a file of its own");

  const std::string moved = dir + "\\moved.vbp";
  files.Rename(copy, moved);
  Check(!Contents(Wide(copy)) && Contents(Wide(moved)) == "replaced", "Name moves a file");
  files.Replace(text, moved);
  Check(!Contents(Wide(text)) && Contents(Wide(moved)) == "cr\rlf\ncrlf\r\n\r\nlast\r\nmore",
        "Replace puts a file over an existing one");

  SetFileAttributesW(Wide(moved).c_str(), FILE_ATTRIBUTE_HIDDEN);
  Check((files.Attributes(moved) & zarvelin::fileattr::kHidden) != 0 &&
            files.FindFirst(moved, zarvelin::fileattr::kNormal).empty() &&
            files.FindFirst(moved, zarvelin::fileattr::kHidden) == "moved.vbp",
        "GetAttr reports a hidden file, and Dir finds it only when asked for hidden files");

  SYSTEMTIME now{};
  GetLocalTime(&now);
  const zarvelin::DateTime modified = files.LastModified(target);
  SYSTEMTIME written{};
  written.wYear = static_cast<WORD>(modified.year);
  written.wMonth = static_cast<WORD>(modified.month);
  written.wDay = static_cast<WORD>(modified.day);
  written.wHour = static_cast<WORD>(modified.hour);
  written.wMinute = static_cast<WORD>(modified.minute);
  written.wSecond = static_cast<WORD>(modified.second);
  const auto ticks = [](const SYSTEMTIME& time) {
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
  };
  constexpr ULONGLONG kTwoMinutes = 2ull * 60 * 10'000'000;
  Check(ticks(written) <= ticks(now) && ticks(now) - ticks(written) < kTwoMinutes,
        "FileDateTime is the local time of the last write");

  SetFileAttributesW(Wide(locked).c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesW(Wide(moved).c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const std::wstring& name : Listing(root)) DeleteFileW((root + L"\\" + name).c_str());
  RemoveDirectoryW(root.c_str());
}

void CheckSettings(zarvelin::win32::Win32Platform& platform) {
  const std::string app = "ZarvelinCheck \xE3\x83\x86";
  const std::string value = "C:\\Kopie \xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88";
  Check(platform.GetSetting(app, "Settings", "Missing", "fallback") == "fallback",
        "GetSetting of a missing key answers the default");
  platform.SaveSetting(app, "Settings", "CopyDirectory", value);
  Check(platform.GetSetting(app, "Settings", "CopyDirectory", "") == value,
        "SaveSetting then GetSetting gives the non-ASCII value back");
  const std::wstring key = L"Software\\VB and VBA Program Settings\\" + Wide(app) + L"\\Settings";
  wchar_t stored[128] = {};
  DWORD size = sizeof stored;
  DWORD type = 0;
  Check(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"CopyDirectory", RRF_RT_ANY, &type, stored,
                     &size) == ERROR_SUCCESS &&
            type == REG_SZ && Narrow(std::wstring_view(stored)) == value,
        "the value is a REG_SZ under HKCU\\Software\\VB and VBA Program Settings\\app\\section");
  platform.DeleteSetting(app, "Settings", "CopyDirectory");
  Check(platform.GetSetting(app, "Settings", "CopyDirectory", "gone") == "gone",
        "DeleteSetting removes the value");
  Check(FailureOf([&] { platform.DeleteSetting(app, "Settings", "CopyDirectory"); }) == 0,
        "DeleteSetting of a missing key is no failure");
  RegDeleteTreeW(HKEY_CURRENT_USER,
                 (L"Software\\VB and VBA Program Settings\\" + Wide(app)).c_str());
}

void CheckSystem(zarvelin::win32::Win32Platform& platform) {
  const zarvelin::VersionRecord version = platform.Version();
  Check(version.extendedCallSucceeds && version.basicCallSucceeds && version.platformId == 2 &&
            version.majorVersion >= 5 && version.productType == VER_NT_WORKSTATION,
        "the version record is the NT family's extended record");
  const std::string description = zarvelin::GetOSDescription(" ");
  Check(description.find(" " + std::to_string(version.majorVersion) + "." +
                         std::to_string(version.minorVersion) + " ") != std::string::npos &&
            description.ends_with("(Build " + std::to_string(version.buildNumber) + ")"),
        "the system's description is read from the version record");

  const zarvelin::NameAnswer user = platform.UserName();
  const zarvelin::NameAnswer computer = platform.ComputerName();
  Check(user.succeeded && user.size > 1 && user.buffer[user.size - 1] == '\0',
        "the user name's size counts its NUL");
  Check(computer.succeeded && computer.size > 0 && computer.buffer[computer.size] == '\0',
        "the computer name's size leaves its NUL out");

  Check(platform.DriveType("C:\\") == zarvelin::drive::kFixed &&
            platform.DriveType("Q:\\") == zarvelin::drive::kNoRootDir,
        "drive types: C: is fixed, a missing drive has no root");
  Check(platform.TwipsPerPixelX() == 15 &&
            platform.ScreenWidth() == GetSystemMetrics(SM_CXSCREEN) * 15.0,
        "the screen is measured in twips at 15 twips per pixel");

  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  intptr_t item = 0;
  const int32_t located = platform.SpecialFolderLocation(0, CSIDL_WINDOWS, item);
  const std::optional<std::string> folder = platform.PathFromFolderItem(item);
  Check(located == 0 && folder && folder->size() >= MAX_PATH &&
            folder->substr(0, folder->find('\0')) == Narrow(std::wstring_view(windows)),
        "a special folder's item gives its path in a buffer of MAX_PATH");
  platform.FreeFolderItem(item);
  item = 0;
  Check(platform.SpecialFolderLocation(0, CSIDL_DRIVES, item) == 0 &&
            !platform.PathFromFolderItem(item),
        "a folder that is no file-system folder gives no path");
  platform.FreeFolderItem(item);

  Check(platform.ShellExecuteFile(0, "open", Narrow(std::wstring_view(windows)) + "\\missing.wri",
                                  "", "", SW_SHOWNORMAL) == SE_ERR_FNF,
        "ShellExecute of a missing file answers the shell's code 2");

  platform.SetMousePointer(zarvelin::pointer::kHourglass);
  Check(platform.MousePointer() == zarvelin::pointer::kHourglass &&
            GetCursor() == LoadCursorW(nullptr, IDC_WAIT),
        "the hourglass pointer is the system's wait cursor");
  platform.SetMousePointer(zarvelin::pointer::kDefault);

  const HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const std::string longPath = "C:\\Program Files\\Microsoft Visual Studio\\VB98\\Zarvelin.dll";
  const std::string compacted = platform.CompactPath(reinterpret_cast<intptr_t>(dc), longPath, 120);
  const std::string shown = compacted.substr(0, compacted.find('\0'));
  Check(shown.find("...") != std::string::npos && shown.ends_with("\\Zarvelin.dll") &&
            shown.size() < longPath.size(),
        "a long path is compacted with an ellipsis, keeping the file name");
  const std::string shortPath =
      platform.CompactPath(reinterpret_cast<intptr_t>(dc), "C:\\a.txt", 400);
  Check(shortPath.substr(0, shortPath.find('\0')) == "C:\\a.txt", "a path that fits is kept");
  DeleteDC(dc);
}

bool delivered = false;

LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) delivered = true;
  return DefWindowProcW(window, message, wParam, lParam);
}

void CheckMessages(zarvelin::win32::Win32Platform& platform) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Receive;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZarvelinCheckReceiver";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
  PostMessageW(window, WM_APP, 0, 0);
  Check(!delivered, "a posted message waits");
  platform.DoEvents();
  Check(delivered, "DoEvents delivers the waiting messages");
  PostQuitMessage(7);
  platform.DoEvents();
  MSG message{};
  Check(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && message.wParam == 7,
        "DoEvents leaves a quit request for the loop that owns the thread");
  Check(platform.SendWindowMessage(reinterpret_cast<intptr_t>(window), WM_SETTEXT, 0,
                                   reinterpret_cast<intptr_t>(L"x")) == TRUE,
        "SendWindowMessage answers the window's result");
  DestroyWindow(window);
}

void CheckClipboard(zarvelin::win32::Win32Platform& platform) {
  const std::string text = "Fehlerbericht \xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88\r\nline 2";
  platform.ClipboardClear();
  platform.ClipboardSetText(text);
  Check(platform.ClipboardGetText() == text, "clipboard text goes out and comes back whole");
  const zarvelin::ClipboardContent saved = platform.ClipboardSave();
  platform.ClipboardSetBitmap(101);
  Check(IsClipboardFormatAvailable(CF_BITMAP) && platform.ClipboardGetText().empty(),
        "the entries' face from the resources is the clipboard's only content");
  bool faceSaved = false;
  for (const zarvelin::ClipboardFormat& held : platform.ClipboardSave()) {
    faceSaved =
        faceSaved || (held.format == zarvelin::clipformat::kBitmap && held.data.size() > 40);
  }
  Check(faceSaved, "saving the clipboard reads the bitmap's pixels");
  platform.ClipboardRestore(saved);
  Check(platform.ClipboardGetText() == text && !IsClipboardFormatAvailable(CF_BITMAP),
        "restoring puts back exactly what was saved");
  Check(FailureOf([&] { platform.ClipboardSetBitmap(999); }) == 326,
        "a missing bitmap resource fails with 326");
}

// A project's bytes in the code pages VB wrote them in: Shift-JIS's 表 ends in 0x5C, which must
// stay inside the character; a character the code page lacks is refused, never written as a
// look-alike that names another file.
void CheckCodePages() {
  const zarvelin::win32::WinCodePages codePages;
  const auto japanese = codePages.Open("932");
  Check(japanese &&
            japanese->Decode("3d\x95\x5C\x8E\xA6.frm") == "3d\xE8\xA1\xA8\xE7\xA4\xBA.frm" &&
            japanese->Encode("3d\xE8\xA1\xA8\xE7\xA4\xBA.frm") == "3d\x95\x5C\x8E\xA6.frm",
        "932 reads and writes a name whole where a trail byte is 0x5C");
  const auto cyrillic = codePages.Open("1251");
  Check(cyrillic &&
            cyrillic->Decode("\xD4\xEE\xF0\xEC\xE0") == "\xD0\xA4\xD0\xBE\xD1\x80\xD0\xBC\xD0\xB0",
        "1251 reads Cyrillic names");
  const auto western = codePages.Open("1252");
  Check(western && !western->Encode("\xE8\xA1\xA8") && !western->Encode("\xC5\x81odz") &&
            western->Encode("M\xC3\xA9mo") == "M\xE9mo",
        "1252 refuses what it cannot write, best-fit look-alikes included");
  Check(!codePages.Open("65001") && !codePages.Open("50220") && !codePages.Open("nonsense") &&
            !codePages.Open("932x"),
        "only the ANSI code pages open, by number");
  Check(zarvelin::win32::SystemCodePage()->Name() == std::to_string(GetACP()),
        "the system's code page is named by its number");
}

}  // namespace

int main() {
  if (FAILED(CoInitialize(nullptr))) {
    std::printf("FAIL: CoInitialize\n");
    return 1;
  }
  wchar_t temporary[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temporary);
  const std::wstring root = std::wstring(temporary) + L"zv-check-\u30c6\u30b9\u30c8-" +
                            std::to_wstring(GetCurrentProcessId());
  zarvelin::win32::WinFileSystem files;
  zarvelin::win32::Win32Platform platform(files, GetModuleHandleW(nullptr));
  const zarvelin::ScopedService<zarvelin::Platform> installed(platform);
  try {
    CheckFiles(files, root);
    CheckSettings(platform);
    CheckSystem(platform);
    CheckMessages(platform);
    CheckClipboard(platform);
    CheckCodePages();
  } catch (const VbError& error) {
    Check(false, ("no unexpected failure (" + std::to_string(error.Number()) + " " +
                  error.Description() + ")")
                     .c_str());
  }
  CoUninitialize();
  std::printf("services: %d passed, %d failed\n", passed, failed);
  return failed;
}
