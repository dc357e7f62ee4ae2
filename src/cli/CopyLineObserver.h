#pragma once

#include <cstdint>
#include <string>

#include "cli/ProgressLine.h"
#include "copy/CopyObserver.h"

namespace zarvelin::cli {

// A copy watched from the command line: a bar of twenty cells and the percentage, redrawn in
// place on a terminal (nothing when there is none). The engine's message boxes are written for a
// dialog; the command line says what happened in its own words from the result, so the boxes are
// kept, not shown. The window moves and layouts of the dialog have nothing to show here.
class CopyLineObserver : public copy::CopyObserver {
 public:
  // No progress is drawn when progress is null.
  explicit CopyLineObserver(ProgressLine* progress);

  void PassStarting(int32_t components) override;
  void ComponentCopied() override;
  int32_t MsgBox(const std::string& text, const std::string& title, int32_t style) override;
  void ShowLayout(copy::CopyLayout /*layout*/) override {}
  void MoveToCorner() override {}
  void SetOnTop(bool /*onTop*/) override {}
  void CenterOnTop() override {}
  void DoEvents() override;

  // The text of the first message box the copy asked for: the failing step's own words, for a
  // stop whose result says nothing more.
  const std::string& FirstMessage() const { return firstMessage_; }

 private:
  ProgressLine* progress_;
  int32_t components_ = 0;
  int32_t copied_ = 0;
  std::string firstMessage_;
};

}  // namespace zarvelin::cli
