#include "console/SansSerifMetrics.h"

namespace zarvelin::console {
namespace {

double Scale(const forms::Font& font) {
  return font.size / kDesignPointSize;
}

}  // namespace

double SansSerifTextWidthTwips(const forms::Font& font, std::string_view text) {
  const double perChar = font.bold ? kAverageBoldCharTwips : kAverageCharTwips;
  return static_cast<double>(text.size()) * perChar * Scale(font);
}

double SansSerifTextHeightTwips(const forms::Font& font) {
  return kLineHeightTwips * Scale(font);
}

}  // namespace zarvelin::console
