#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ide/Vbide.h"

namespace zarvelin::filebacked {

class FileBackedCommandBarControls;
class FileBackedCommandBarEvents;

// What a click's handlers left in its two flags.
struct ClickFlags {
  bool handled = false;
  bool cancelDefault = false;
};

// A menu entry or toolbar button of the file-backed IDE.
class FileBackedCommandBarControl : public ide::CommandBarControl {
 public:
  FileBackedCommandBarControl(std::weak_ptr<FileBackedCommandBarControls> bar, int32_t type,
                              bool temporary, std::string caption);

  std::string Caption() override;
  void SetCaption(const std::string& caption) override;
  int32_t Style() override;
  void SetStyle(int32_t style) override;
  void PasteFace() override;
  void Delete() override;

  int32_t ControlType() const { return type_; }
  bool Temporary() const { return temporary_; }
  bool Deleted() const { return deleted_; }
  // The picture the face was pasted from, as the clipboard held it; nothing before a paste.
  const std::optional<std::string>& Face() const { return face_; }

  // The user clicks the control: every event source still held for it hears the click, in the
  // order they were asked for, each seeing the flags as the one before left them.
  ClickFlags Click(ClickFlags flags = {});
  void Subscribe(const std::shared_ptr<FileBackedCommandBarEvents>& events);

 private:
  std::weak_ptr<FileBackedCommandBarControls> bar_;
  int32_t type_;
  bool temporary_;
  std::string caption_;
  int32_t style_ = 0;
  std::optional<std::string> face_;
  bool deleted_ = false;
  std::vector<std::weak_ptr<FileBackedCommandBarEvents>> listeners_;
};

class FileBackedCommandBarControls
    : public ide::CommandBarControls,
      public std::enable_shared_from_this<FileBackedCommandBarControls> {
 public:
  // A bar holding the IDE's own entries under these captions.
  void AddBuiltIn(const std::vector<std::string>& captions);
  void Forget(const FileBackedCommandBarControl& control);

  int32_t Count() override;
  std::shared_ptr<ide::CommandBarControl> Item(int32_t index) override;
  std::shared_ptr<ide::CommandBarControl> Add(int32_t type, int32_t before,
                                              bool temporary) override;

 private:
  std::vector<std::shared_ptr<FileBackedCommandBarControl>> controls_;
};

class FileBackedCommandBar : public ide::CommandBar {
 public:
  FileBackedCommandBar(std::string name, const std::vector<std::string>& captions);

  const std::string& Name() const { return name_; }
  ide::CommandBarControls& Controls() override;

 private:
  std::string name_;
  std::shared_ptr<FileBackedCommandBarControls> controls_;
};

// The IDE's "File" and "Add-Ins" menus and its "Standard" toolbar.
class FileBackedCommandBars : public ide::CommandBars {
 public:
  FileBackedCommandBars();

  // By name, letter case aside; an unknown name fails as the IDE's collection does (5).
  std::shared_ptr<ide::CommandBar> Item(const std::string& name) override;

 private:
  std::vector<std::shared_ptr<FileBackedCommandBar>> bars_;
};

// The click event source of one control.
class FileBackedCommandBarEvents : public ide::CommandBarEvents {
 public:
  void SetClickHandler(ide::ClickHandler handler) override;
  void Fire(ide::CommandBarControl& control, ClickFlags& flags);

 private:
  ide::ClickHandler handler_;
};

class FileBackedEvents : public ide::Events {
 public:
  std::shared_ptr<ide::CommandBarEvents> CommandBarEventsFor(
      std::shared_ptr<ide::CommandBarControl> control) override;
};

}  // namespace zarvelin::filebacked
