#pragma once

#include <cstdint>
#include <string>

// What a copy shows while it runs goes to whoever asked for it: the copy dialog draws it, the
// command line prints it. The copy itself never touches a window.
namespace zarvelin::copy {

// The layouts the copy dialog's status area passes through.
enum class CopyLayout { Copying, Reloading, AfterReload };

// A file saved under another name than its own in the flat copy directory.
struct Renaming {
  std::string source;  // the source file as the project names it
  std::string name;    // its name in the copy directory
};

class CopyObserver {
 public:
  virtual ~CopyObserver() = default;

  // The component pass starts with this many components.
  virtual void PassStarting(int32_t components) = 0;
  // One more component is in the copy directory; the observer yields to the message loop.
  virtual void ComponentCopied() = 0;
  // A message box of the copy: text, title and style as the platform takes them; the answer.
  virtual int32_t MsgBox(const std::string& text, const std::string& title, int32_t style) = 0;
  virtual void ShowLayout(CopyLayout layout) = 0;
  // The source-code-control add-in was disconnected: the window moves out of the IDE's way.
  virtual void MoveToCorner() = 0;
  virtual void SetOnTop(bool onTop) = 0;
  // After the add-in is connected again: centred and topmost, unless minimized.
  virtual void CenterOnTop() = 0;
  // Lets pending window messages be processed.
  virtual void DoEvents() = 0;
  // Asked after each yield: true stops the copy, which is then rolled back.
  virtual bool StopRequested() { return false; }
  // A stopped copy connects the source-code-control add-in again unless the IDE is going away.
  virtual bool ShuttingDown() { return false; }
  virtual void FileRenamed(const Renaming& /*renaming*/) {}
};

}  // namespace zarvelin::copy
