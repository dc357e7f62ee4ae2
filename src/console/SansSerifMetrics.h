#pragma once

#include <string_view>

#include "forms/Control.h"

namespace zarvelin::console {

// Where no real font can be measured (a terminal run, the tests), text is measured as MS Sans Serif
// on average sets it: at 8.25 points a character is about 5.5 pixels (83 twips) wide, a bold one
// 6 pixels (90 twips), and a line 13 pixels (195 twips) high. Other sizes scale with the size.
inline constexpr double kAverageCharTwips = 83;
inline constexpr double kAverageBoldCharTwips = 90;
inline constexpr double kLineHeightTwips = 195;
inline constexpr double kDesignPointSize = 8.25;

double SansSerifTextWidthTwips(const forms::Font& font, std::string_view text);
double SansSerifTextHeightTwips(const forms::Font& font);

// What a fixed-border window adds around its client area: three pixels of border on each side and
// a caption bar of nineteen pixels, at 15 twips per pixel.
inline constexpr double kFrameWidthTwips = 90;
inline constexpr double kFrameHeightTwips = 375;

}  // namespace zarvelin::console
