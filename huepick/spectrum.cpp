#include "huepick/spectrum.h"

#include <cmath>

namespace orv {
namespace {

// The pure colour of `hue` in degrees (0 red, 60 yellow, 120 green, 180 cyan,
// 240 blue, 300 magenta) as red, green and blue from 0 to 1.
void PureHue(double hue, double rgb[3]) {
  const double sector = std::fmod(hue, 360.0) / 60.0;
  const double rise = sector - std::floor(sector);
  switch (static_cast<int>(sector)) {
    case 0: rgb[0] = 1, rgb[1] = rise, rgb[2] = 0; break;
    case 1: rgb[0] = 1 - rise, rgb[1] = 1, rgb[2] = 0; break;
    case 2: rgb[0] = 0, rgb[1] = 1, rgb[2] = rise; break;
    case 3: rgb[0] = 0, rgb[1] = 1 - rise, rgb[2] = 1; break;
    case 4: rgb[0] = rise, rgb[1] = 0, rgb[2] = 1; break;
    default: rgb[0] = 1, rgb[1] = 0, rgb[2] = 1 - rise; break;
  }
}

int Byte(double level) { return static_cast<int>(std::lround(level * 255.0)); }

}  // namespace

TColorValue SpectrumPixel(int x, int y) {
  const int right = kSpectrumWidth - 1, bottom = kSpectrumHeight - 1;
  if (x <= 0 || y <= 0 || x >= right || y >= bottom) return kSpectrumFrame;
  // The interior runs from 1 to right − 1 and 1 to bottom − 1; its first and
  // last rows are both red, its middle column the pure hue.
  const double down = static_cast<double>(y - 1) / (bottom - 2);
  const double across = static_cast<double>(x - 1) / (right - 2);
  double rgb[3];
  PureHue(down * 360.0, rgb);
  for (double& level : rgb)
    level = across <= 0.5 ? level * across * 2 : level + (1 - level) * (across - 0.5) * 2;
  return RGB(Byte(rgb[0]), Byte(rgb[1]), Byte(rgb[2]));
}

std::vector<TColorValue> SpectrumPixels() {
  std::vector<TColorValue> pixels;
  pixels.reserve(static_cast<size_t>(kSpectrumWidth) * kSpectrumHeight);
  for (int y = 0; y < kSpectrumHeight; ++y)
    for (int x = 0; x < kSpectrumWidth; ++x) pixels.push_back(SpectrumPixel(x, y));
  return pixels;
}

}  // namespace orv
