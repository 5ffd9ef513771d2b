// The colour dialog's spectrum picture, made in code: 91 × 369 pixels, the
// hue running down from red through yellow, green, cyan, blue and magenta
// back to red, and across from black at the left through the pure hue in the
// middle to white at the right, inside a one-pixel dark frame.
#pragma once

#include <vector>

#include "huepick/colour_value.h"

namespace orv {

constexpr int kSpectrumWidth = 91;
constexpr int kSpectrumHeight = 369;

// The colour of the frame around the spectrum.
constexpr TColorValue kSpectrumFrame = RGB(64, 64, 64);

// The colour of the spectrum's pixel at column x and row y (0-based; the
// frame is column 0 and width − 1, row 0 and height − 1).
TColorValue SpectrumPixel(int x, int y);

// Every pixel of the spectrum, row by row from the top.
std::vector<TColorValue> SpectrumPixels();

}  // namespace orv
