#include "addin/UsersClipboard.h"

namespace zarvelin::addin {

UsersClipboard::UsersClipboard() {
  try {
    saved_ = Sys().ClipboardSave();
  } catch (...) {
    saved_.reset();
  }
}

UsersClipboard::~UsersClipboard() {
  if (!saved_) return;
  try {
    Sys().ClipboardRestore(*saved_);
  } catch (...) {
    // Another program holds the clipboard: the face stays there, as it would without this.
  }
}

}  // namespace zarvelin::addin
