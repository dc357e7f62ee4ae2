#include "cli/CopyLineObserver.h"

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"
#include "runtime/Formats.h"

namespace zarvelin::cli {
namespace {

constexpr int kBarCells = 20;

}  // namespace

CopyLineObserver::CopyLineObserver(ProgressLine* progress) : progress_(progress) {}

void CopyLineObserver::PassStarting(int32_t components) {
  components_ = components;
  copied_ = 0;
}

void CopyLineObserver::ComponentCopied() {
  copied_ = std::min(copied_ + 1, components_);
  Sys().DoEvents();
  if (progress_ == nullptr || components_ <= 0) return;
  const double share = static_cast<double>(copied_) / components_;
  const int filled = static_cast<int>(std::lround(share * kBarCells));
  std::string percent = std::to_string(VbLong(share * 100)) + "%";
  if (percent.size() < 4) percent.insert(0, 4 - percent.size(), ' ');
  progress_->Draw("[" + std::string(filled, '#') + std::string(kBarCells - filled, ' ') + "] " +
                  percent);
}

int32_t CopyLineObserver::MsgBox(const std::string& text, const std::string& /*title*/,
                                 int32_t /*style*/) {
  if (firstMessage_.empty()) firstMessage_ = text;
  return mb::kAnswerOk;
}

void CopyLineObserver::DoEvents() {
  Sys().DoEvents();
}

}  // namespace zarvelin::cli
