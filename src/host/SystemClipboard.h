#pragma once

#include <string_view>

namespace zarvelin::host {

// Hands text to the desktop's clipboard when there is one: wl-copy under Wayland, xclip under
// X. Without a desktop, or when the tool fails, nothing happens: the program's own clipboard
// still holds the text.
void MirrorToSystemClipboard(std::string_view text);

}  // namespace zarvelin::host
