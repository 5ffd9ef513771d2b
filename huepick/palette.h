// The colour dialog's palette of 256 cells: the built-in palette kept as text
// lines "red|green*blue", and the two palette file formats it loads: ".pal"
// (1028 bytes, colour values from offset 4) and ".act" (768 bytes of red,
// green, blue triples; anything after them is ignored).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "huepick/colour_value.h"

namespace orv {

// 256 colour values; cell k of the grid (1 to 256) is Cells[k - 1].
struct TPalette {
  std::array<TColorValue, 256> Cells{};
};

// The 255 lines of the built-in palette, "red|green*blue" each.
const std::vector<std::string>& BuiltinPaletteLines();

// The colour of one palette line: the decimal numbers before "|", between
// "|" and "*" and after "*" as red, green and blue. An empty line, and a part
// that is not a number, give black (or 0 for that part).
TColorValue ParsePaletteLine(std::string_view line);

// The palette of `lines`: line n fills cell n; cells without a line stay black
// (cell 256 always, with the 255 built-in lines).
TPalette PaletteFromLines(const std::vector<std::string>& lines);

// The palette file formats, told apart by the file's extension.
enum class PaletteFormat { Pal, Act, Unknown };

// The format of `path` by its extension, compared without regard to case.
PaletteFormat PaletteFormatOf(const std::string& path);

constexpr size_t kPalFileSize = 1028;
constexpr size_t kActFileSize = 768;

// Reads the palette held in `bytes` in `format` into `palette`. A text
// shorter than the format's size raises EInOutError naming `name` and the
// sizes, and leaves `palette` unchanged.
void ReadPalette(std::string_view bytes, PaletteFormat format, const std::string& name, TPalette& palette);

// What LoadPaletteFile did.
enum class PaletteLoad {
  Loaded,     // the palette holds the file's colours
  Unopened,   // a .pal file that could not be opened: nothing changed
  Ignored,    // not a palette file's extension: nothing changed
};

// Loads the palette file `path` into `palette`. A short file of either format,
// and an .act file that cannot be opened, raise EInOutError (the palette is
// unchanged); a .pal file that cannot be opened changes nothing, silently.
PaletteLoad LoadPaletteFile(const std::string& path, TPalette& palette);

// The folder "Load Palette" opens first: "swatches/" in the data folder when
// it exists there, else the shipped one under the shared data folder.
std::string PaletteFolder();

// The bytes of `palette` as a .pal file (a header of "PAL\0") and as an .act
// file.
std::string PalFileBytes(const TPalette& palette);
std::string ActFileBytes(const TPalette& palette);

}  // namespace orv
