#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "copy/CopyObserver.h"

namespace zarvelin::cli {

// A copy watched from the command line: a bar of twenty cells and the percentage on the error
// stream, one line each time the percentage changes, and the message boxes through the platform.
// The window moves and layouts of the dialog have nothing to show here.
class CopyLineObserver : public copy::CopyObserver {
 public:
  CopyLineObserver(std::ostream& progress, bool quiet);

  void PassStarting(int32_t components) override;
  void ComponentCopied() override;
  int32_t MsgBox(const std::string& text, const std::string& title, int32_t style) override;
  void ShowLayout(copy::CopyLayout /*layout*/) override {}
  void MoveToCorner() override {}
  void SetOnTop(bool /*onTop*/) override {}
  void CenterOnTop() override {}
  void DoEvents() override;

 private:
  std::ostream& progress_;
  bool quiet_;
  int32_t components_ = 0;
  int32_t copied_ = 0;
  std::string lastLine_;
};

}  // namespace zarvelin::cli
