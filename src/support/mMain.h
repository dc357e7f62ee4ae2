#pragma once

#include <string>

// Path and drive helpers shared by the copy dialog and the copy road. Paths are VB-style: "\"
// separates, a colon ends a drive prefix; a forward slash is an ordinary character.
namespace zarvelin::mMain {

// The directory part of a file path, without a trailing backslash: the text before the rightmost
// backslash, or up to and including the rightmost colon when that comes later ("C:App.vbp" gives
// "C:"). A bare file name gives "".
std::string GetFilePath(const std::string& sPath);

// True when the path, exactly as given, names an existing directory.
bool DirectoryExists(const std::string& sPath);

// False only when the path's drive is a CD-ROM drive.
bool IsWritableDrive(const std::string& sPath);

}  // namespace zarvelin::mMain
