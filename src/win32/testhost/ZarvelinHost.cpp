// The test host: plays the VB6 IDE for the registered add-in. It opens a project in the file-backed
// IDE (the same one the command-line program uses), hands it to "Zarvelin.Connect" through COM as
// IDispatch objects with the IDE's names, and then, as a person would, clicks the add-in's entry,
// types into its dialog and presses its buttons, through the windows themselves.
//
//   ZarvelinHost.exe --proof PROJECT.vbp COPY_DIRECTORY SHOT_DIRECTORY [GROUP.vbg]
//       the scripted proof: one PASS or FAIL line per check, the exit status the failures' count;
//       with a group, its projects are then opened together and copied as a group;
//   ZarvelinHost.exe PROJECT.vbp
//       a small window with the add-in's entries, to try the real dialog without VB6.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "filebacked/FileBackedIde.h"
#include "win32/AddInSession.h"
#include "win32/WideText.h"
#include "win32/testhost/DispatchObject.h"
#include "win32/testhost/ProofChecks.h"
#include "win32/testhost/ServedIde.h"

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}: IDTExtensibility2, whose vtable the IDE calls.
inline constexpr IID kIidExtensibility2 = {
    0xb65ad801, 0xabaf, 0x11d0, {0xbb, 0x8b, 0x00, 0xa0, 0xc9, 0x0f, 0x27, 0x44}};

// Outside the unnamed namespace on purpose: there the compiler may conclude that nothing in this
// program implements the interface and turn every call through it into a trap.
struct IDTExtensibility2 : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connectMode,
                                                 IDispatch* addInInst, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(LONG removeMode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

namespace {

using namespace zarvelin;
using testhost::Check;

constexpr LONG kAfterStartup = 0;
constexpr LONG kStartup = 1;
constexpr wchar_t kFormClass[] = L"ZarvelinForm";
constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr UINT kDriverDone = WM_APP + 7;
// Asked of the IDE's thread by the user's: unload the add-in now, as the Add-In Manager does.
constexpr UINT kUnload = WM_APP + 8;
// The commands of the accelerators the played IDE translates in its loop, as VB does.
constexpr WORD kDeleteCommand = 1;
constexpr WORD kCopyCommand = 2;
constexpr WORD kPasteCommand = 3;
constexpr WORD kRunCommand = 4;
constexpr wchar_t kSettingKey[] =
    L"Software\\VB and VBA Program Settings\\Zarvelin\\Microsoft Visual Basic AddIns";

// What a copy of the example project holds, flat in the copy directory.
constexpr const wchar_t* kCopiedFiles[] = {
    L"Ledger.vbp",      L"frmMain.frm",     L"frmMain.frx",    L"mdiLedger.frm",  L"mdiLedger.frx",
    L"modMain.bas",     L"Util.bas",        L"cEntry.cls",     L"ctlAmount.ctl",  L"ctlAmount.ctx",
    L"ppgCurrency.pag", L"ppgCurrency.pgx", L"dsrMonthly.dsr", L"dsrMonthly.dsx", L"dsrMonthly.dca",
    L"Ledger.res",      L"Ledger Notes.txt"};

bool Called(const std::wstring& call) {
  for (const std::wstring& made : testhost::DispatchObject::Calls()) {
    if (made == call) return true;
  }
  return false;
}

HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  HRESULT result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) return result;
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                        nullptr, nullptr);
}

VARIANT Long(LONG number) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_I4;
  value.lVal = number;
  return value;
}

VARIANT Object(IDispatch* object) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_DISPATCH;
  value.pdispVal = object;
  return value;
}

// The custom arguments, an empty array of variants passed by reference as the IDE passes it.
VARIANT Custom(SAFEARRAY** array) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_ARRAY | VT_VARIANT | VT_BYREF;
  value.pparray = array;
  return value;
}

HRESULT CanUnloadNow() {
  HMODULE dll = GetModuleHandleW(L"Zarvelin.dll");
  if (dll == nullptr) return E_FAIL;
  using CanUnload = HRESULT(STDAPICALLTYPE*)();
  const auto entry =
      reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  return entry == nullptr ? E_FAIL : entry();
}

std::wstring DllDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(GetModuleHandleW(L"Zarvelin.dll"), path, MAX_PATH);
  std::wstring directory = path;
  return directory.substr(0, directory.find_last_of(L'\\'));
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string FileBytes(const std::wstring& path) {
  std::string bytes;
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

std::wstring Setting() {
  wchar_t value[16] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingKey, L"DisplayOnConnect frmCopyProject",
                   RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return L"(none)";
  }
  return value;
}

// The file-backed IDE's entry with this caption on a bar; nullptr when there is none.
std::shared_ptr<filebacked::FileBackedCommandBarControl> Entry(filebacked::FileBackedVBE& vbe,
                                                               const char* bar,
                                                               const char* caption) {
  ide::CommandBarControls& controls = vbe.CommandBarSet().Item(bar)->Controls();
  for (int32_t index = controls.Count(); index >= 1; --index) {
    auto control =
        std::dynamic_pointer_cast<filebacked::FileBackedCommandBarControl>(controls.Item(index));
    if (control != nullptr && !control->Deleted() && control->Caption() == caption) return control;
  }
  return nullptr;
}

IDispatch* CreateConnect() {
  CLSID clsid = {};
  Check(SUCCEEDED(CLSIDFromProgID(L"Zarvelin.Connect", &clsid)),
        "ProgID Zarvelin.Connect names a class");
  IDispatch* connect = nullptr;
  Check(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&connect))),
        "CoCreateInstance gives the add-in's IDispatch");
  return connect;
}

// The COM side of the add-in: its interfaces, names, events and reference counts.
void ProtocolChecks(IDispatch* ide, IDispatch* addIn) {
  IDispatch* connect = CreateConnect();
  if (connect == nullptr) return;
  IDTExtensibility2* extensibility = nullptr;
  Check(SUCCEEDED(
            connect->QueryInterface(kIidExtensibility2, reinterpret_cast<void**>(&extensibility))),
        "the add-in answers IDTExtensibility2");
  if (extensibility == nullptr) return;
  IUnknown* unknown = nullptr;
  Check(connect->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&unknown)) ==
                E_NOINTERFACE &&
            unknown == nullptr,
        "an interface it does not implement is refused");
  Check(CanUnloadNow() == S_FALSE, "DllCanUnloadNow says no while the object lives");

  LPOLESTR names[] = {const_cast<LPOLESTR>(L"onstartupcomplete")};
  DISPID id = 0;
  Check(connect->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) == S_OK && id == 4,
        "names are found whatever their letter case");
  names[0] = const_cast<LPOLESTR>(L"Show");
  Check(connect->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) == DISP_E_UNKNOWNNAME,
        "an unknown name is DISP_E_UNKNOWNNAME");
  Check(CallByName(connect, L"OnDisconnection", {Long(0)}) == DISP_E_BADPARAMCOUNT,
        "a call by name with too few arguments is refused");

  auto& calls = testhost::DispatchObject::Calls();
  calls.clear();
  SAFEARRAY* custom = SafeArrayCreateVector(VT_VARIANT, 0, 0);
  Check(extensibility->OnConnection(ide, kStartup, addIn, &custom) == S_OK,
        "OnConnection at the IDE's start-up, by vtable");
  Check(calls.empty(), "at start-up the entries wait for OnStartupComplete");
  Check(extensibility->OnConnection(ide, kAfterStartup, addIn, &custom) == S_OK && calls.empty(),
        "a second connection is ignored");
  Check(CallByName(connect, L"OnAddInsUpdate", {Custom(&custom)}) == S_OK && calls.empty(),
        "OnAddInsUpdate by name does nothing");

  Check(CallByName(connect, L"OnStartupComplete", {Custom(&custom)}) == S_OK,
        "OnStartupComplete by name");
  Check(Called(L"Item(File)") && Called(L"Item(Add-Ins)") && Called(L"Item(Standard)"),
        "the entries go to the File and Add-Ins menus and the Standard toolbar");
  Check(Called(L"Add(1,missing,missing,7,True)"),
        "the File entry is a temporary button at position 7, left-out arguments missing");
  Check(Called(L"Caption=Zarvelin ...") && Called(L"Style=3") && Called(L"PasteFace"),
        "an entry gets its caption, its style and its face");
  Check(Called(L"CommandBarEvents(object)"),
        "each entry's clicks are asked for through the events object");

  calls.clear();
  Check(CallByName(connect, L"OnDisconnection", {Long(0), Custom(&custom)}) == S_OK,
        "OnDisconnection by name");
  Check(Called(L"Delete"), "the disconnection takes the entries away");
  Check(CallByName(connect, L"OnConnection",
                   {Object(ide), Long(kStartup), Object(addIn), Custom(&custom)}) == S_OK,
        "after the disconnection, a new connection by name is taken");
  Check(extensibility->OnDisconnection(0, &custom) == S_OK, "OnDisconnection by vtable");
  Check(extensibility->OnBeginShutdown(&custom) == S_OK, "OnBeginShutdown by vtable");

  SafeArrayDestroy(custom);
  extensibility->Release();
  Check(connect->Release() == 0, "the last Release frees the add-in");
  Check(CanUnloadNow() == S_OK, "DllCanUnloadNow says yes once every object is gone");
}

struct Script {
  std::wstring copyDirectory;
  std::wstring shots;
  // What the user does this round, on the script's thread.
  void (*steps)(const Script& script) = nullptr;
  HWND doneWindow = nullptr;
  // The played IDE's main window, which the add-in's modal windows must disable.
  HWND ideWindow = nullptr;
  // Unloads the add-in on the IDE's thread, then signals `unloaded`.
  std::function<void()> unload;
  HANDLE unloaded = nullptr;
  // What DllCanUnloadNow answered right after that unloading.
  HRESULT unloadAnswer = E_FAIL;
};

// Accelerator commands that reached the IDE's window: a key typed into the add-in's dialog must
// not be one of them.
int ideCommands = 0;

// True once the window is enabled or disabled as asked: a modal window shows before its loop
// begins and is gone a moment before the windows it disabled are enabled again. That moment can
// last seconds on a busy machine, so the wait is long; an answer comes as soon as it holds.
bool Becomes(HWND window, bool enabled) {
  for (int waited = 0; window != nullptr && waited < 10000; waited += 50) {
    if ((IsWindowEnabled(window) != FALSE) == enabled) return true;
    Sleep(50);
  }
  return false;
}

bool Disabled(HWND window) {
  return Becomes(window, false);
}

bool Enabled(HWND window) {
  return Becomes(window, true);
}

// Asks the IDE's thread to unload the add-in and waits until it has.
bool UnloadFromTheUsersThread(const Script& script) {
  return PostMessageW(script.doneWindow, kUnload, 0, 0) &&
         WaitForSingleObject(script.unloaded, 20000) == WAIT_OBJECT_0;
}

// Presses a button as a user does, without waiting for what the click starts.
bool Press(HWND parent, const wchar_t* caption) {
  const HWND button = testhost::ChildOf(parent, L"Button", caption);
  return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

bool Answer(const wchar_t* title, WPARAM answer) {
  const HWND box = testhost::WaitForWindow(kMessageBoxClass, title);
  if (box == nullptr) return false;
  PostMessageW(box, WM_COMMAND, answer, 0);
  return testhost::WaitUntilGone(box);
}

// The user's side, on a thread of its own: the add-in's windows run on the IDE's thread and
// block it while they are modal, as they do in the IDE.
void DriveDialog(const Script& script) {
  const HWND dialog = testhost::WaitForWindow(kFormClass, L"Zarvelin");
  Check(dialog != nullptr, "the toolbar button opens the copy dialog, found by its caption");
  if (dialog == nullptr) return;
  Check(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0 &&
            SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) != 0,
        "the copy dialog carries its icon from the add-in's resources");
  const HWND directory = testhost::ChildOf(dialog, L"Edit", nullptr);
  Check(directory != nullptr, "the dialog has its copy directory box");

  SendMessageW(directory, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Q:\\no-such-drive\\copy"));
  Check(Press(dialog, L"&Copy"), "Copy pressed for a drive that does not exist");
  Check(Answer(L"Invalid Copy Directory", IDOK), "the \"Invalid Copy Directory\" box shows");

  SendMessageW(directory, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(script.copyDirectory.c_str()));
  Check(testhost::Screenshot(dialog, script.shots + L"\\copy-dialog.bmp"),
        "copy dialog screenshot");
  Check(Press(dialog, L"&Copy"), "Copy pressed with a real button click");
  Check(
      Disabled(testhost::WaitForWindow(kMessageBoxClass, L"Zarvelin") ? script.ideWindow : nullptr),
      "the IDE's window is disabled while the add-in's message box is up");
  Check(Answer(L"Zarvelin", IDOK), "the closing message box shows and is dismissed");
  Check(Enabled(script.ideWindow) && Enabled(dialog),
        "the IDE's window and the dialog are enabled again after the message box");

  // Dragged away from the screen's corner, as a user would, so that the about box fits above it.
  SetWindowPos(dialog, nullptr, 200, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Check(Press(dialog, L"&About"), "About pressed");
  const HWND about = testhost::WaitForWindow(kFormClass, L"About");
  Check(about != nullptr, "the about box opens");
  if (about == nullptr) return;
  Check(Disabled(script.ideWindow) && Disabled(dialog) && IsWindowEnabled(about),
        "while the about box is up the IDE's window and the dialog are disabled");
  RECT outer{};
  RECT inner{};
  GetWindowRect(dialog, &outer);
  GetWindowRect(about, &inner);
  Check(std::abs((outer.left + outer.right) - (inner.left + inner.right)) <= 4 &&
            std::abs((outer.top + outer.bottom) - (inner.top + inner.bottom)) <= 4,
        "the about box is centred over the dialog where the user moved it");
  Sleep(500);
  Check(testhost::ChildTextEndingWith(about, L"Static", L"\\Zarvelin.dll").size() > 13,
        "the about box shows the add-in's path, compacted on its own device context");
  Check(testhost::Screenshot(about, script.shots + L"\\about-box.bmp"), "about box screenshot");

  // Double-clicking the about box's icon divides by zero: the failure every user can provoke.
  const HWND icon = testhost::ChildOf(about, L"ZarvelinPicture", L"ImgIcon");
  Check(icon != nullptr && PostMessageW(icon, WM_LBUTTONDBLCLK, MK_LBUTTON, 0),
        "the about box's icon double-clicked");
  const HWND report = testhost::WaitForWindow(kFormClass, L"An Error Occured in: ");
  Check(report != nullptr, "an injected failure opens the error report window");
  if (report == nullptr) return;
  Check(Disabled(script.ideWindow) && Disabled(about) && IsWindowEnabled(report),
        "while the error report is up the IDE's window and the about box are disabled");
  Sleep(300);
  Check(testhost::Screenshot(report, script.shots + L"\\error-report.bmp"),
        "error report screenshot");
  Check(Press(report, L"&Continue"), "Continue pressed");
  Check(Answer(L"E-Mail Error Information", IDNO), "no mail is sent");
  Check(testhost::WaitUntilGone(report), "the error report window closes");
  Check(testhost::ClipboardText().find(L"Division by zero") != std::wstring::npos,
        "the report is on the clipboard");

  Check(Press(about, L"&OK"), "the about box's OK pressed");
  Check(testhost::WaitUntilGone(about), "the about box closes");
  Check(Enabled(script.ideWindow) && Enabled(dialog),
        "the IDE's window and the dialog are enabled again after the about box");
}

// The text of a window of another thread.
std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

// The window with the keyboard focus on the IDE's thread.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// Keys typed into the dialog while the IDE's loop translates its accelerators: each reaches the
// dialog, none the IDE.
void DriveKeys(HWND dialog, HWND directory) {
  SendMessageW(directory, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
  SendMessageW(directory, EM_SETSEL, 0, 0);
  PostMessageW(directory, WM_KEYDOWN, VK_DELETE, 1);
  PostMessageW(directory, WM_KEYDOWN, VK_F5, 1);
  Sleep(300);
  std::printf("typed into the box: %s, IDE commands: %d\n",
              win32::Narrow(TextOf(directory)).c_str(), ideCommands);
  Check(TextOf(directory) == L"bc" && ideCommands == 0,
        "Delete typed into the dialog's box deletes there, not in the IDE; F5 runs nothing");
  // Clicked into the box first, so that the focus starts there.
  PostMessageW(directory, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  PostMessageW(directory, WM_LBUTTONUP, 0, 0);
  Sleep(300);
  const bool inTheBox = FocusOf(dialog) == directory;
  PostMessageW(directory, WM_KEYDOWN, VK_TAB, 1);
  Sleep(300);
  const HWND moved = FocusOf(dialog);
  Check(inTheBox && moved != nullptr && moved != directory && GetAncestor(moved, GA_ROOT) == dialog,
        "Tab moves the focus from the dialog's box to its next control");
  // Alt+A, the underlined letter of "&About", as typed in the box.
  PostMessageW(directory, WM_SYSCHAR, 'a', 1 << 29);
  const HWND about = testhost::WaitForWindow(kFormClass, L"About", 5000);
  Check(about != nullptr && Press(about, L"&OK") && testhost::WaitUntilGone(about),
        "Alt with a button's underlined letter presses that button");
  SendMessageW(directory, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
}

// Reconnected, the add-in reopens the dialog it had open; Esc, typed into its text box, closes it
// through its cancel button.
void DriveEscape(const Script&) {
  const HWND dialog = testhost::WaitForWindow(kFormClass, L"Zarvelin");
  Check(dialog != nullptr, "a new connection reopens the dialog that was open");
  if (dialog == nullptr) return;
  const HWND directory = testhost::ChildOf(dialog, L"Edit", nullptr);
  DriveKeys(dialog, directory);
  PostMessageW(directory, WM_KEYDOWN, VK_ESCAPE, 1);
  Check(testhost::WaitUntilGone(dialog), "Esc closes the dialog through its cancel button");
}

// The Add-In Manager unloads the add-in while its about box is up (an IDE that, unlike VB, left
// its window enabled): the box stays usable, and the add-in closes and stays loaded until the
// box has returned.
void DriveUnloadInAbout(const Script& script) {
  const HWND dialog = testhost::WaitForWindow(kFormClass, L"Zarvelin");
  Check(dialog != nullptr && Press(dialog, L"&About"), "the File entry opens the dialog");
  const HWND about = testhost::WaitForWindow(kFormClass, L"About");
  Check(about != nullptr && UnloadFromTheUsersThread(script),
        "the add-in unloaded while its about box is up");
  std::printf("DllCanUnloadNow: %lx, about box %d, dialog %d\n",
              static_cast<unsigned long>(script.unloadAnswer), IsWindow(about), IsWindow(dialog));
  Check(script.unloadAnswer == S_FALSE && IsWindow(about) && IsWindow(dialog),
        "the about box and the dialog stay, the DLL stays loaded, while the box runs");
  Check(Press(about, L"&OK") && testhost::WaitUntilGone(about) && testhost::WaitUntilGone(dialog),
        "once the about box has returned the dialog closes");
}

// The same while a copy yields to the message loop.
void DriveUnloadInCopy(const Script& script) {
  const HWND dialog = testhost::WaitForWindow(kFormClass, L"Zarvelin");
  const HWND directory = dialog == nullptr ? nullptr : testhost::ChildOf(dialog, L"Edit", nullptr);
  Check(directory != nullptr, "the dialog opens again on a new connection");
  if (directory == nullptr) return;
  const std::wstring again = script.copyDirectory + L"-again";
  CreateDirectoryW(again.c_str(), nullptr);
  SendMessageW(directory, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(again.c_str()));
  // Both wait in the queue: the unloading is taken by the copy's first yield.
  Press(dialog, L"&Copy");
  Check(UnloadFromTheUsersThread(script) && script.unloadAnswer == S_FALSE,
        "the add-in unloaded during a copy stays loaded while the copy runs");
  if (const HWND box = testhost::WaitForWindow(kMessageBoxClass, L"Zarvelin", 5000)) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  Check(testhost::WaitUntilGone(dialog), "once the copy has returned the dialog closes");
}

// With a group open, the dialog offers to copy every project; checked, Copy copies them all.
void DriveGroupCopy(const Script& script) {
  const HWND dialog = testhost::WaitForWindow(kFormClass, L"Zarvelin");
  const HWND directory = dialog == nullptr ? nullptr : testhost::ChildOf(dialog, L"Edit", nullptr);
  const HWND all = dialog == nullptr
                       ? nullptr
                       : testhost::ChildOf(dialog, L"Button", L"Copy all projects of the group");
  Check(all != nullptr && IsWindowVisible(all) &&
            SendMessageW(all, BM_GETCHECK, 0, 0) == BST_UNCHECKED,
        "with two projects open the dialog offers to copy the group, unchecked");
  if (directory == nullptr || all == nullptr) return;
  Press(dialog, L"Copy all projects of the group");
  SendMessageW(directory, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(script.copyDirectory.c_str()));
  Check(Press(dialog, L"&Copy"), "Copy pressed with the group box checked");
  Check(Answer(L"Zarvelin", IDOK), "the group copy's closing message shows and is dismissed");
  Check(SendMessageW(all, BM_GETCHECK, 0, 0) == BST_CHECKED, "the group box stays checked");
  Check(testhost::Screenshot(dialog, script.shots + L"\\copy-dialog-group.bmp"),
        "group copy dialog screenshot");
  Check(UnloadFromTheUsersThread(script) && testhost::WaitUntilGone(dialog),
        "the add-in unloaded after the group copy closes its dialog");
}

void Drive(Script& script) {
  script.steps(script);
  // Whatever the script did not expect is closed, so that the run ends rather than hangs.
  while (const HWND stray = FindWindowW(kMessageBoxClass, nullptr)) {
    wchar_t title[256] = {};
    GetWindowTextW(stray, title, 256);
    std::printf("unexpected message box: %s\n", win32::Narrow(title).c_str());
    PostMessageW(stray, WM_COMMAND, IDCANCEL, 0);
    testhost::WaitUntilGone(stray, 2000);
  }
  PostMessageW(script.doneWindow, kDriverDone, 0, 0);
}

DWORD WINAPI DriveThread(void* script) {
  Drive(*static_cast<Script*>(script));
  return 0;
}

bool driverDone = false;

LRESULT CALLBACK DoneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kDriverDone) driverDone = true;
  if (message == kUnload) {
    auto* script = reinterpret_cast<Script*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    script->unload();
    SetEvent(script->unloaded);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK IdeWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == 1) ++ideCommands;
  return DefWindowProcW(window, message, wParam, lParam);
}

// The played IDE's main window: enabled, shown, and what its accelerators command.
HWND MakeIdeWindow() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = IdeWindowProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZarvelinPlayedIde";
  RegisterClassExW(&windowClass);
  return CreateWindowExW(0, windowClass.lpszClassName, L"Project1 - Microsoft Visual Basic",
                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

HACCEL IdeAccelerators() {
  ACCEL keys[] = {{FVIRTKEY, VK_DELETE, kDeleteCommand},
                  {FVIRTKEY | FCONTROL, 'C', kCopyCommand},
                  {FVIRTKEY | FCONTROL, 'V', kPasteCommand},
                  {FVIRTKEY, VK_F5, kRunCommand}};
  return CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
}

// Runs the round's steps on their own thread while this one does what the IDE does (start) and
// then serves the windows until the steps are done.
void WhileDriving(Script& script, const std::function<void()>& start) {
  driverDone = false;
  script.doneWindow =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(script.doneWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DoneProcedure));
  SetWindowLongPtrW(script.doneWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&script));
  const HANDLE driver = CreateThread(nullptr, 0, DriveThread, &script, 0, nullptr);
  start();
  // The IDE's loop translates its accelerators before anything else sees the keys.
  const HACCEL accelerators = IdeAccelerators();
  MSG message{};
  while (!driverDone && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(script.ideWindow, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DestroyAcceleratorTable(accelerators);
  WaitForSingleObject(driver, INFINITE);
  CloseHandle(driver);
  DestroyWindow(script.doneWindow);
}

void CheckCopy(const std::wstring& project, const std::wstring& copyDirectory) {
  bool all = true;
  for (const wchar_t* name : kCopiedFiles) {
    if (!FileExists(copyDirectory + L"\\" + name)) {
      std::printf("missing in the copy: %s\n", win32::Narrow(name).c_str());
      all = false;
    }
  }
  Check(all, "every file of the project and its companions is in the copy directory");
  const std::string copied = FileBytes(copyDirectory + L"\\Ledger.vbp");
  Check(copied.find("\r\nPath32=\"\"\r\n") != std::string::npos &&
            copied.find("Module=Util; Util.bas\r\n") != std::string::npos,
        "the copied project file points at the copies and its Path32 is cleared");
  Check(FileBytes(project).find("\r\nPath32=\"..\\bin\"\r\n") != std::string::npos,
        "the source project file is untouched");
}

// A new add-in object by its ProgID, and its IDTExtensibility2; nullptr when either fails.
IDTExtensibility2* Extensibility(IDispatch*& connect) {
  connect = CreateConnect();
  IDTExtensibility2* extensibility = nullptr;
  if (connect != nullptr) {
    connect->QueryInterface(kIidExtensibility2, reinterpret_cast<void**>(&extensibility));
  }
  return extensibility;
}

void UiProof(filebacked::FileBackedVBE& vbe, IDispatch* ide, IDispatch* addIn,
             const std::wstring& project, Script& script) {
  IDispatch* connect = nullptr;
  IDTExtensibility2* extensibility = Extensibility(connect);
  if (extensibility == nullptr) return;
  SAFEARRAY* custom = SafeArrayCreateVector(VT_VARIANT, 0, 0);
  Check(extensibility->OnConnection(ide, kAfterStartup, addIn, &custom) == S_OK,
        "connected after the IDE's start-up");
  const auto button = Entry(vbe, "Standard", "Zarvelin");
  Check(Entry(vbe, "File", "Zarvelin ...") != nullptr &&
            Entry(vbe, "Add-Ins", "Zarvelin ...") != nullptr && button != nullptr,
        "the three entries are there");
  for (const char* bar : {"File", "Add-Ins", "Standard"}) {
    const auto entry = Entry(vbe, bar, bar[0] == 'S' ? "Zarvelin" : "Zarvelin ...");
    Check(entry != nullptr && entry->Face().has_value(), "an entry has its face");
  }

  const std::wstring log = DllDirectory() + L"\\Error.log";
  DeleteFileW(log.c_str());
  script.steps = DriveDialog;
  WhileDriving(script, [&] {
    if (button != nullptr) button->Click();
  });

  CheckCopy(project, script.copyDirectory);
  Check(FileExists(log), "Continue wrote Error.log beside the DLL");
  DeleteFileW(log.c_str());

  Check(extensibility->OnDisconnection(0, &custom) == S_OK, "disconnected");
  Check(FindWindowW(kFormClass, L"Zarvelin") == nullptr, "the disconnection closes the dialog");
  Check(Setting() == L"1", "the registry remembers that the dialog was open");
  Check(Entry(vbe, "Standard", "Zarvelin") == nullptr, "the entries are gone");

  script.steps = DriveEscape;
  WhileDriving(script, [&] { extensibility->OnConnection(ide, kAfterStartup, addIn, &custom); });
  Check(extensibility->OnDisconnection(0, &custom) == S_OK && Setting() == L"0",
        "disconnected again, the registry remembers that the dialog was closed");
  SafeArrayDestroy(custom);
  extensibility->Release();
  Check(connect->Release() == 0, "the add-in is freed");
}

// Connects a new add-in object, runs the round, in which the user's thread has it unloaded
// (disconnected and released, as the Add-In Manager does); then nothing of it is left.
void UnloadRound(filebacked::FileBackedVBE& vbe, IDispatch* ide, IDispatch* addIn, Script& script,
                 void (*steps)(const Script&), const char* what) {
  IDispatch* connect = nullptr;
  IDTExtensibility2* extensibility = Extensibility(connect);
  if (extensibility == nullptr) return;
  SAFEARRAY* custom = SafeArrayCreateVector(VT_VARIANT, 0, 0);
  extensibility->OnConnection(ide, kAfterStartup, addIn, &custom);
  const auto entry = Entry(vbe, "File", "Zarvelin ...");
  script.unload = [&] {
    extensibility->OnDisconnection(1, &custom);
    extensibility->Release();
    connect->Release();
    script.unloadAnswer = CanUnloadNow();
  };
  script.unloaded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  script.steps = steps;
  WhileDriving(script, [&] {
    if (entry != nullptr) entry->Click();
  });
  CloseHandle(script.unloaded);
  SafeArrayDestroy(custom);
  std::printf("%s\n", what);
  Check(Entry(vbe, "File", "Zarvelin ...") == nullptr &&
            Entry(vbe, "Add-Ins", "Zarvelin ...") == nullptr &&
            Entry(vbe, "Standard", "Zarvelin") == nullptr,
        "the unloaded add-in's entries are gone");
  Check(FindWindowW(kFormClass, nullptr) == nullptr && Enabled(script.ideWindow),
        "no window of the add-in is left and the IDE's window is enabled");
  Check(CanUnloadNow() == S_OK, "DllCanUnloadNow says yes once the add-in's code has returned");
}

// The projects of a group held together in the IDE, copied through the dialog: each into its
// subfolder, the group file beside them, and the group reopened as it was.
void GroupProof(filebacked::FileBackedVBE& vbe, IDispatch* ide, IDispatch* addIn,
                const std::wstring& group, Script& script) {
  try {
    vbe.Projects().AddFromFile(win32::Narrow(group), true);
  } catch (const VbError& error) {
    std::printf("cannot open the group: %s\n", error.Description().c_str());
    Check(false, "the group opens in the IDE");
    return;
  }
  script.copyDirectory += L"-group";
  CreateDirectoryW(script.copyDirectory.c_str(), nullptr);
  UnloadRound(vbe, ide, addIn, script, DriveGroupCopy, "copying a group:");

  const std::wstring& copy = script.copyDirectory;
  Check(FileExists(copy + L"\\MeterCtl\\MeterCtl.vbp") &&
            FileExists(copy + L"\\MeterCtl\\ctlMeter.ctl") &&
            FileExists(copy + L"\\MeterCtl\\mScale.bas") &&
            FileExists(copy + L"\\MeterTest\\MeterTest.vbp") &&
            FileExists(copy + L"\\MeterTest\\frmTest.frm") &&
            FileExists(copy + L"\\MeterTest\\mScale.bas"),
        "each project of the group is copied into its own subfolder");
  Check(FileBytes(copy + L"\\Meter.vbg") ==
            "VBGROUP 5.0\r\nProject=MeterCtl\\MeterCtl.vbp\r\n"
            "StartupProject=MeterTest\\MeterTest.vbp\r\n",
        "the copied group file points at the copies and keeps the start-up project");
  ide::VBProjects& projects = vbe.Projects();
  Check(projects.FileName() == win32::Narrow(group) && projects.Count() == 2 &&
            projects.StartProject()->FileName() == projects.Item(2)->FileName() &&
            vbe.ActiveVBProject()->FileName() == projects.Item(2)->FileName(),
        "the source group is open again, its start-up and active project as they were");
}

// The entries the interactive window shows, by their buttons' ids (1, 2, 3).
std::vector<std::shared_ptr<filebacked::FileBackedCommandBarControl>> shownEntries;

LRESULT CALLBACK HostWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const size_t index = LOWORD(wParam);
    if (index >= 1 && index <= shownEntries.size() && shownEntries[index - 1] != nullptr) {
      shownEntries[index - 1]->Click();
    }
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

// A small window with the add-in's entries: a person tries the real dialog without VB6.
void Interactive(filebacked::FileBackedVBE& vbe, IDispatch* ide, IDispatch* addIn) {
  IDispatch* connect = nullptr;
  IDTExtensibility2* extensibility = Extensibility(connect);
  if (extensibility == nullptr) return;
  SAFEARRAY* custom = SafeArrayCreateVector(VT_VARIANT, 0, 0);
  extensibility->OnConnection(ide, kAfterStartup, addIn, &custom);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HostWindowProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"ZarvelinHostWindow";
  RegisterClassExW(&windowClass);
  const HWND window =
      CreateWindowExW(0, windowClass.lpszClassName, L"Zarvelin Host",
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, CW_USEDEFAULT,
                      CW_USEDEFAULT, 320, 170, nullptr, nullptr, windowClass.hInstance, nullptr);
  const char* const entries[][2] = {
      {"File", "Zarvelin ..."}, {"Add-Ins", "Zarvelin ..."}, {"Standard", "Zarvelin"}};
  for (const auto& [bar, caption] : entries) {
    shownEntries.push_back(Entry(vbe, bar, caption));
    const std::wstring label = win32::Wide(std::string(bar) + ": " + caption);
    CreateWindowExW(0, L"BUTTON", label.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                    static_cast<int>(10 + 36 * (shownEntries.size() - 1)), 280, 28, window,
                    reinterpret_cast<HMENU>(shownEntries.size()), windowClass.hInstance, nullptr);
  }
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  shownEntries.clear();
  extensibility->OnDisconnection(0, &custom);
  SafeArrayDestroy(custom);
  extensibility->Release();
  connect->Release();
}

int Run(const std::vector<std::wstring>& arguments) {
  const bool proof = (arguments.size() == 4 || arguments.size() == 5) && arguments[0] == L"--proof";
  if (!proof && arguments.size() != 1) {
    std::printf(
        "usage: ZarvelinHost PROJECT.vbp\n"
        "       ZarvelinHost --proof PROJECT.vbp COPY_DIRECTORY SHOT_DIRECTORY [GROUP.vbg]\n");
    return 2;
  }
  const std::wstring project = proof ? arguments[1] : arguments[0];
  // The host's own services: the file-backed IDE reads and writes through them.
  win32::AddInSession session(GetModuleHandleW(nullptr));
  filebacked::IdeConfiguration configuration;
  configuration.addIns.push_back(filebacked::AddInEntry{"Zarvelin.Connect", true});
  std::unique_ptr<filebacked::FileBackedVBE> vbe;
  try {
    vbe = filebacked::OpenFileBackedIde(win32::Narrow(project), configuration);
  } catch (const VbError& error) {
    std::printf("FAIL: cannot open the project: %s\n", error.Description().c_str());
    return 1;
  }
  IDispatch* ide = testhost::ServedVbe(*vbe);
  IDispatch* addIn = testhost::ServedAddIn(vbe->Addins().Item(1));
  if (proof) {
    ProtocolChecks(ide, addIn);
    Script script;
    script.copyDirectory = arguments[2];
    script.shots = arguments[3];
    script.ideWindow = MakeIdeWindow();
    CreateDirectoryW(script.copyDirectory.c_str(), nullptr);
    UiProof(*vbe, ide, addIn, project, script);
    UnloadRound(*vbe, ide, addIn, script, DriveUnloadInAbout, "unloading with the about box up:");
    UnloadRound(*vbe, ide, addIn, script, DriveUnloadInCopy, "unloading during a copy:");
    if (arguments.size() == 5) GroupProof(*vbe, ide, addIn, arguments[4], script);
    DestroyWindow(script.ideWindow);
  } else {
    Interactive(*vbe, ide, addIn);
  }
  addIn->Release();
  ide->Release();
  return 0;
}

}  // namespace

int wmain(int count, wchar_t** values) {
  if (FAILED(CoInitialize(nullptr))) {
    std::printf("FAIL: CoInitialize\n");
    return 1;
  }
  const int status = Run(std::vector<std::wstring>(values + 1, values + count));
  CoUninitialize();
  if (status != 0) return status;
  std::printf("host: %d passed, %d failed\n", testhost::Passed(), testhost::Failed());
  return testhost::Failed();
}
