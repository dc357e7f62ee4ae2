#pragma once

#include <optional>

#include "platform/Platform.h"

namespace zarvelin::addin {

// Keeps what the user had copied while the entries' faces go through the clipboard, and puts it
// back when it goes out of scope, also after a failure. The clipboard is the user's; a clipboard
// that cannot be read or written back is left as the faces left it, since losing what was copied
// there is no reason to go without the entries.
class UsersClipboard {
 public:
  UsersClipboard();
  ~UsersClipboard();
  UsersClipboard(const UsersClipboard&) = delete;
  UsersClipboard& operator=(const UsersClipboard&) = delete;

 private:
  std::optional<ClipboardContent> saved_;
};

}  // namespace zarvelin::addin
