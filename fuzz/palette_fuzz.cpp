// Palette files of the colour dialog and the lines of its built-in palette.
// The first byte picks the reader: .pal, .act, or palette lines (the rest of
// the input split at line breaks). A palette that was read must write and
// read back to the same colours; a short file is refused with EInOutError.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "huepick/palette.h"
#include "platform/exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  orv::TPalette palette;
  switch (data[0] % 3) {
    case 0:
    case 1: {
      const auto format = data[0] % 3 == 0 ? orv::PaletteFormat::Pal : orv::PaletteFormat::Act;
      try {
        orv::ReadPalette(bytes, format, "fuzz", palette);
      } catch (const orv::EInOutError&) {
        return 0;
      }
      break;
    }
    default: {
      std::vector<std::string> lines;
      size_t start = 0;
      for (size_t cut; (cut = bytes.find('\n', start)) != std::string::npos; start = cut + 1)
        lines.push_back(bytes.substr(start, cut - start));
      lines.push_back(bytes.substr(start));
      palette = orv::PaletteFromLines(lines);
      break;
    }
  }
  orv::TPalette pal, act;
  orv::ReadPalette(orv::PalFileBytes(palette), orv::PaletteFormat::Pal, "pal", pal);
  orv::ReadPalette(orv::ActFileBytes(palette), orv::PaletteFormat::Act, "act", act);
  if (pal.Cells != palette.Cells || act.Cells != palette.Cells) __builtin_trap();
  return 0;
}
