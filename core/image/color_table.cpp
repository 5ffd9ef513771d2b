#include "core/image/color_table.h"

namespace orv {

static constexpr TGifColor kDisplayColors[16] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
    {192, 192, 192}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

ColorTable::ColorTable(int32_t count) : Count(count) {
  switch (count) {
    case 2:
      Colors[1] = {255, 255, 255};
      break;
    case 16:
      for (int i = 0; i < 16; ++i) Colors[i] = kDisplayColors[i];
      break;
    case 256:
      for (int i = 0; i < 256; ++i) {
        uint8_t v = static_cast<uint8_t>(i);
        Colors[i] = {v, v, v};
      }
      break;
    default:
      break;
  }
}

}  // namespace orv
