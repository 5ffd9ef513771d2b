// Colour values as the colour dialog hands them out: the 0x00BBGGRR colour
// value (red in the lowest byte) and the "#RRGGBB" HTML colour text.
#pragma once

#include <cstdint>
#include <string>

namespace orv {

// A colour value: 0x00BBGGRR, red in the lowest byte, green in the second,
// blue in the third.
using TColorValue = uint32_t;

// The colour value of red, green and blue; each is kept to its low 8 bits.
constexpr TColorValue RGB(int red, int green, int blue) {
  return static_cast<TColorValue>(red & 0xFF) | static_cast<TColorValue>(green & 0xFF) << 8 |
         static_cast<TColorValue>(blue & 0xFF) << 16;
}

constexpr int GetRValue(TColorValue c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(TColorValue c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int GetBValue(TColorValue c) { return static_cast<int>(c >> 16 & 0xFF); }

// Red × 65536 + green × 256 + blue: the HTML ordering of the components, as
// the dialog's RGBToValue returns it.
constexpr int32_t RGBToValue(int blue, int green, int red) { return red * 65536 + green * 256 + blue; }

// "#" and six upper-case hexadecimal digits of the components' low 8 bits,
// for example "#FF8000" for red 255, green 128, blue 0.
std::string HtmlColor(int red, int green, int blue);
std::string HtmlColor(TColorValue colour);

}  // namespace orv
