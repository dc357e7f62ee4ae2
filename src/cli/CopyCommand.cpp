#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "cli/Commands.h"
#include "forms/WindowBackend.h"
#include "platform/Platform.h"
#include "platform/headless/FileBackedIde.h"
#include "runtime/Runtime.h"
#include "runtime/VbError.h"
#include "ui/frmCopyProject.h"

namespace zarvelin::cli {
namespace {

constexpr char kCopyHelp[] =
    "zarvelin copy PROJECT.vbp DIRECTORY copies a Visual Basic 6 project, with every file it\n"
    "lists, into DIRECTORY, as the add-in's Copy button does in the IDE: each form, module,\n"
    "class, user control, property page and designer is saved there with its .frx, .ctx, .pgx,\n"
    ".dsx and .dca companions, the resource file and related documents are copied, and the\n"
    "project file is saved there last, its component lines pointing at the copies and its\n"
    "compiled-output path (Path32) cleared. DIRECTORY must exist and must not be the project's\n"
    "own directory. The source project is never written.\n"
    "Exit status: 0 when the copy was finished, 1 when it was refused or failed.";

// Holds back the closing "copied" message, which a script learns from the exit status instead;
// every refusal and every error is still shown.
class QuietPlatform : public Platform {
 public:
  explicit QuietPlatform(Platform& inner) : inner_(inner) {}

  int32_t MsgBox(std::string_view text, std::string_view title, int32_t style) override {
    if (title == Rt().app.title && style == mb::kInformation) return mb::kAnswerOk;
    return inner_.MsgBox(text, title, style);
  }
  void DoEvents() override { inner_.DoEvents(); }
  double ScreenWidth() override { return inner_.ScreenWidth(); }
  double ScreenHeight() override { return inner_.ScreenHeight(); }
  double TwipsPerPixelX() override { return inner_.TwipsPerPixelX(); }
  int32_t MousePointer() override { return inner_.MousePointer(); }
  void SetMousePointer(int32_t pointer) override { inner_.SetMousePointer(pointer); }
  void ClipboardClear() override { inner_.ClipboardClear(); }
  void ClipboardSetText(std::string_view text) override { inner_.ClipboardSetText(text); }
  std::string ClipboardGetText() override { return inner_.ClipboardGetText(); }
  void ClipboardSetBitmap(int32_t resourceId) override { inner_.ClipboardSetBitmap(resourceId); }
  ClipboardContent ClipboardSave() override { return inner_.ClipboardSave(); }
  void ClipboardRestore(const ClipboardContent& content) override {
    inner_.ClipboardRestore(content);
  }
  std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view defaultValue) override {
    return inner_.GetSetting(app, section, key, defaultValue);
  }
  void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view value) override {
    inner_.SaveSetting(app, section, key, value);
  }
  void DeleteSetting(std::string_view app, std::string_view section,
                     std::string_view key) override {
    inner_.DeleteSetting(app, section, key);
  }
  int32_t DriveType(std::string_view root) override { return inner_.DriveType(root); }
  int32_t ShellExecuteFile(intptr_t window, std::string_view verb, std::string_view file,
                           std::string_view parameters, std::string_view directory,
                           int32_t showCommand) override {
    return inner_.ShellExecuteFile(window, verb, file, parameters, directory, showCommand);
  }
  std::string PrinterDeviceName() override { return inner_.PrinterDeviceName(); }
  void PrintDocument(std::string_view text, int32_t scaleMode, float currentY) override {
    inner_.PrintDocument(text, scaleMode, currentY);
  }
  int32_t SpecialFolderLocation(intptr_t owner, int32_t folder, intptr_t& item) override {
    return inner_.SpecialFolderLocation(owner, folder, item);
  }
  intptr_t BrowseForFolderDialog(const FolderDialogRequest& request) override {
    return inner_.BrowseForFolderDialog(request);
  }
  std::optional<std::string> PathFromFolderItem(intptr_t item) override {
    return inner_.PathFromFolderItem(item);
  }
  void FreeFolderItem(intptr_t item) override { inner_.FreeFolderItem(item); }
  intptr_t SendWindowMessage(intptr_t window, uint32_t message, intptr_t wParam,
                             intptr_t lParam) override {
    return inner_.SendWindowMessage(window, message, wParam, lParam);
  }
  std::string CompactPath(intptr_t deviceContext, std::string_view path,
                          int32_t widthPixels) override {
    return inner_.CompactPath(deviceContext, path, widthPixels);
  }
  VersionRecord Version() override { return inner_.Version(); }
  NameAnswer UserName() override { return inner_.UserName(); }
  NameAnswer ComputerName() override { return inner_.ComputerName(); }
  void LogEvent(std::string_view logFile, std::string_view text) override {
    inner_.LogEvent(logFile, text);
  }

 private:
  Platform& inner_;
};

// Leaves the progress bar undrawn; everything else (the error report window above all) shows.
class QuietWindows : public forms::WindowBackend {
 public:
  explicit QuietWindows(forms::WindowBackend& inner) : inner_(inner) {}

  void Created(forms::Form& form) override { inner_.Created(form); }
  void Destroyed(forms::Form& form) override { inner_.Destroyed(form); }
  void FormChanged(forms::Form& form) override { inner_.FormChanged(form); }
  void ControlChanged(forms::Form& form, forms::Control& control) override {
    if (control.Kind() == forms::ControlKind::PictureBox) return;
    inner_.ControlChanged(form, control);
  }
  void ShowModeless(forms::Form& form) override { inner_.ShowModeless(form); }
  void RunModal(forms::Form& form, forms::Form* owner) override { inner_.RunModal(form, owner); }
  void Hidden(forms::Form& form) override { inner_.Hidden(form); }
  void SetWindowPos(forms::Form& form, intptr_t insertAfter, int32_t x, int32_t y, int32_t cx,
                    int32_t cy, uint32_t flags) override {
    inner_.SetWindowPos(form, insertAfter, x, y, cx, cy, flags);
  }
  int32_t WindowState(const forms::Form& form) override { return inner_.WindowState(form); }
  double FrameWidth() override { return inner_.FrameWidth(); }
  double FrameHeight() override { return inner_.FrameHeight(); }
  double TextWidthTwips(const forms::Font& font, std::string_view text) override {
    return inner_.TextWidthTwips(font, text);
  }
  double TextHeightTwips(const forms::Font& font) override { return inner_.TextHeightTwips(font); }

 private:
  forms::WindowBackend& inner_;
};

// Installs the quiet services for one run and puts the previous ones back.
class QuietScope {
 public:
  explicit QuietScope(bool quiet) {
    if (!quiet) return;
    platform_ = std::make_unique<QuietPlatform>(Sys());
    windows_ = std::make_unique<QuietWindows>(forms::Windows());
    previousPlatform_ = &Sys();
    previousWindows_ = &forms::Windows();
    SetPlatform(platform_.get());
    forms::SetWindowBackend(windows_.get());
  }
  ~QuietScope() {
    if (!platform_) return;
    forms::SetWindowBackend(previousWindows_);
    SetPlatform(previousPlatform_);
  }
  QuietScope(const QuietScope&) = delete;
  QuietScope& operator=(const QuietScope&) = delete;

 private:
  std::unique_ptr<QuietPlatform> platform_;
  std::unique_ptr<QuietWindows> windows_;
  Platform* previousPlatform_ = nullptr;
  forms::WindowBackend* previousWindows_ = nullptr;
};

}  // namespace

int RunCopy(const CopyOptions& options) {
  QuietScope quiet(options.quiet);

  headless::IdeConfiguration configuration;
  if (options.scc) configuration.addIns.push_back(headless::AddInEntry{"vbscc", true});
  std::unique_ptr<headless::FileBackedVBE> vbe;
  try {
    vbe = headless::OpenFileBackedIde(options.projectFile, configuration);
  } catch (const VbError& error) {
    std::cerr << "zarvelin copy: cannot open " << options.projectFile << ": Error "
              << error.Number() << " " << error.Description() << "\n";
    return 1;
  }

  // The dialog's own road: it loads for the open project, the directory is typed, Copy pressed.
  frmCopyProject dialog;
  dialog.SetVBInstance(vbe.get());
  dialog.Load();
  dialog.Ctl("txtDirectory").SetText(options.directory);
  dialog.Click("cmdCopy");
  const bool copied = dialog.LastCopySucceeded();
  dialog.Unload();
  return copied ? 0 : 1;
}

void RegisterCopyCommand(CLI::App& app, const CommandContext& context) {
  CLI::App* copy = app.add_subcommand("copy", "Copy a project and all its files to a directory");
  copy->footer(kCopyHelp);
  auto hostProject = std::make_shared<std::string>();
  auto hostDirectory = std::make_shared<std::string>();
  auto options = std::make_shared<CopyOptions>();
  copy->add_option("project", *hostProject, "The project file (.vbp) to copy")->required();
  copy->add_option("directory", *hostDirectory, "The existing directory to copy it into")
      ->required();
  copy->add_flag("--scc", options->scc,
                 "Act as if a source-code-control add-in (vbscc) were installed: it is "
                 "disconnected during the copy and connected afterwards");
  copy->add_flag("--quiet", options->quiet,
                 "No progress bar and no closing message; refusals and errors still show");
  copy->callback([context, hostProject, hostDirectory, options] {
    CopyOptions run = *options;
    run.projectFile = context.toVbPath(*hostProject);
    run.directory = context.toVbPath(*hostDirectory);
    const int status = RunCopy(run);
    if (status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace zarvelin::cli
