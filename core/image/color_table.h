// The colour table of a GIF file or image: 256 RGB entries and the number of
// entries in use, preset by that number.
#pragma once

#include <array>
#include <cstdint>

namespace orv {

// One colour table entry.
struct TGifColor {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  bool operator==(const TGifColor&) const = default;
};

// 256 entries and the count in use. Creating a table with a count presets it:
// 2 gives black and white, 16 the sixteen standard display colours, 256 a grey
// ramp; any other count leaves every entry black.
struct ColorTable {
  explicit ColorTable(int32_t count = 0);

  std::array<TGifColor, 256> Colors{};
  int32_t Count = 0;
};

}  // namespace orv
