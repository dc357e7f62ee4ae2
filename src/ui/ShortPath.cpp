#include "ui/ShortPath.h"

namespace zarvelin {

std::string ShortPath(std::string_view sPath, int32_t iMaxLen) {
  const auto fits = [iMaxLen](size_t length) {
    return static_cast<int64_t>(length) <= static_cast<int64_t>(iMaxLen);
  };
  if (fits(sPath.size())) return std::string(sPath);

  std::string left(sPath.substr(0, 3));
  std::string_view right = sPath.substr(left.size());
  size_t start = 3;  // 0-based: the first backslash looked for lies after the drive part
  while (!fits(left.size() + right.size())) {
    const size_t backslash = sPath.find('\\', start);
    if (backslash == std::string_view::npos) break;
    left += "...\\";
    right = sPath.substr(backslash + 1);
    start = backslash + 1;
  }
  return left + std::string(right);
}

}  // namespace zarvelin
