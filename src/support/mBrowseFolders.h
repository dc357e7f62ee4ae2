#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

// The shell's folder dialog, opened on a folder given as a path or as a special-folder number.
namespace zarvelin::mBrowseFolders {

// A start folder as a caller hands it over: a text (a path, or a number written out) or a number.
using StartFolder = std::variant<std::string, double>;

// Shows the folder dialog with the prompt and answers the chosen folder's path; "" when the user
// cancelled or chose something that is not a file-system folder. A start folder that reads as a
// number names a special folder, which the running system must know (error 32700 otherwise, with
// SpecialFolderErrorText as its description); a number beyond the 32-bit range fails with 6.
// Every failure reaches the caller with the source "BrowseFolders.BrowseForFolder".
std::string BrowseForFolder(intptr_t hwndOwner, const std::string& sPrompt,
                            const std::optional<StartFolder>& vStartFolder = std::nullopt);

// The dialog's callback: once the dialog is up, selects the start folder in it. Always 0.
int32_t BrowseCallback(intptr_t hWnd, uint32_t uMsg, intptr_t lParam, intptr_t lpData);

// "2K" for major version 5 of the NT family, "NT" for its other versions, "9X" otherwise (also
// when the version cannot be read).
std::string GetOSFamily();

// Whether the running system's family knows the special-folder number.
bool IsSpecialFolderSupported(int32_t lFolder);

// "Windows NT operating system does not support this Special Folder constant: CSIDL_COMMON_APPDATA
// (0x23)": the family's name, the constant's name (nothing when it has none) and its number.
std::string SpecialFolderErrorText(int32_t lFolder);

}  // namespace zarvelin::mBrowseFolders
