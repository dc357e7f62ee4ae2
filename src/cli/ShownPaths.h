#pragma once

#include <functional>
#include <string>

namespace zarvelin::cli {

// The engine works with VB paths; the one who typed the command reads paths as they gave them:
// the project file and the copy directory as typed, a file in the copy directory under the
// directory as typed (with the separator they wrote), any other file as the host names it.
class ShownPaths {
 public:
  struct Given {
    std::string projectFile;  // VB path
    std::string typedProject;
    std::string copyDirectory;  // VB path
    std::string typedDirectory;
  };
  ShownPaths(Given given, std::function<std::string(const std::string&)> toHostPath);

  std::string operator()(const std::string& vbPath) const;
  // A name relative to the copy directory ("App\\y_2.bas"), as the directory was typed.
  std::string Name(std::string relative) const;

 private:
  bool TypedWithBackslashes() const;

  Given given_;
  std::function<std::string(const std::string&)> toHostPath_;
};

}  // namespace zarvelin::cli
