#pragma once

#include <string>
#include <string_view>

#include "forms/TextLayout.h"

namespace zarvelin::forms {

// A path shortened to a width as DrawText's path ellipsis does it: a path that fits stays whole;
// otherwise the file name (from the last backslash on) is kept and the part before it loses
// characters from its end until that part, "..." and the file name fit together. When not even
// "..." and the file name fit, that is the result, wider than asked.
std::string PathEllipsis(std::string_view path, double width, const TextMeasure& measure);

}  // namespace zarvelin::forms
