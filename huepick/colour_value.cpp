#include "huepick/colour_value.h"

#include <cstdio>

namespace orv {

std::string HtmlColor(int red, int green, int blue) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(RGBToValue(blue & 0xFF, green & 0xFF, red & 0xFF)));
  return text;
}

std::string HtmlColor(TColorValue colour) { return HtmlColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

}  // namespace orv
