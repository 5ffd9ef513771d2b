#include "huepick/palette.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/exception.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace orv {
namespace {

// The decimal number of `part`, or 0 when it is not one.
int PartValue(std::string_view part) {
  while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
  while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
  if (part.empty() || part.size() > 9) return 0;
  int value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Reads at most `limit` bytes of `path`; false when it cannot be opened.
bool ReadStart(const std::string& path, size_t limit, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  bytes.resize(limit);
  size_t got = std::fread(bytes.data(), 1, limit, file);
  bool failed = std::ferror(file) != 0;
  int error = errno;
  std::fclose(file);
  if (failed) throw EInOutError("Cannot read file \"" + path + "\". " + std::strerror(error));
  bytes.resize(got);
  return true;
}

}  // namespace

const std::vector<std::string>& BuiltinPaletteLines() {
  static const std::vector<std::string> lines = {
      "104|70*72", "104|95*96", "243|11*58", "248|54*92", "206|8*56", "175|8*58", "248|144*176", "145|8*53",
      "248|103*155", "113|8*48", "226|10*97", "248|56*137", "248|176*208", "248|216*232", "243|11*136", "81|8*48",
      "165|8*103", "248|56*175", "248|145*208", "121|8*80", "248|114*201", "199|8*135", "248|200*232", "243|11*176",
      "248|83*201", "248|50*207", "203|8*174", "243|12*207", "120|8*115", "207|8*208", "242|13*241", "151|8*152",
      "80|8*80", "48|8*48", "243|50*244", "24|8*24", "244|82*244", "244|114*244", "244|144*244", "244|177*244",
      "248|200*248", "248|216*248", "248|232*248", "176|8*200", "208|11*243", "207|50*248", "144|8*199", "176|11*243",
      "202|83*248", "232|200*248", "104|8*156", "200|114*248", "80|8*121", "175|57*248", "208|145*248", "138|10*243",
      "48|8*80", "104|8*199", "232|216*248", "208|177*248", "49|8*113", "133|56*248", "99|17*244", "155|103*248",
      "54|8*145", "177|144*248", "57|8*176", "58|8*207", "58|11*243", "62|50*248", "13|11*207", "13|11*176",
      "13|12*113", "13|12*81", "105|103*248", "12|15*242", "13|12*143", "13|13*48", "8|8*24", "139|140*248",
      "176|177*248", "208|208*248", "232|232*248", "62|79*248", "12|50*243", "8|48*206", "8|54*174", "56|112*248",
      "11|80*243", "145|176*248", "8|53*145", "103|155*248", "8|80*199", "8|48*113", "177|208*248", "11|113*243",
      "56|145*248", "216|232*248", "8|112*199", "11|144*243", "8|48*80", "57|176*248", "145|208*248", "8|80*120",
      "114|200*248", "8|104*156", "200|232*248", "8|144*200", "11|176*243", "84|203*248", "50|208*248", "11|208*243",
      "8|176*200", "8|48*49", "8|151*152", "50|243*244", "177|243*244", "8|208*207", "13|242*242", "8|80*80",
      "8|24*24", "82|244*243", "114|243*243", "145|244*244", "200|248*248", "216|248*248", "232|248*248", "8|121*116",
      "8|203*174", "11|243*207", "50|248*207", "84|248*202", "11|243*176", "8|197*137", "200|248*232", "8|120*80",
      "114|248*200", "8|165*103", "57|248*175", "145|248*208", "11|243*144", "8|80*48", "216|248*232", "10|230*111",
      "177|248*208", "55|248*131", "8|113*49", "103|248*155", "10|229*82", "8|146*53", "144|248*176", "8|175*56",
      "8|205*55", "11|243*49", "57|248*64", "13|242*13", "11|207*13", "12|176*12", "12|143*11", "13|81*13",
      "13|48*13", "8|24*8", "103|248*104", "140|248*140", "176|248*177", "208|248*208", "232|248*232", "13|113*12",
      "57|243*11", "57|206*8", "105|248*57", "58|175*8", "176|248*144", "53|145*8", "155|248*103", "49|113*8",
      "98|225*9", "208|248*176", "144|248*56", "232|248*216", "137|243*11", "48|81*8", "102|165*8", "208|248*145",
      "80|121*8", "176|248*56", "200|248*114", "137|198*8", "232|248*200", "176|243*11", "202|248*83", "207|248*50",
      "174|203*8", "208|243*12", "116|120*8", "207|208*8", "242|242*13", "152|152*8", "80|80*8", "48|48*8",
      "244|243*50", "24|24*8", "244|244*82", "244|244*114", "244|243*145", "244|244*177", "248|248*200", "248|248*216",
      "248|248*242", "201|176*8", "243|208*11", "248|208*50", "199|144*8", "243|176*11", "248|202*83", "113|80*8",
      "248|232*200", "153|102*8", "248|200*114", "248|176*56", "248|208*145", "243|145*11", "199|113*8", "81|48*8",
      "248|232*216", "248|144*57", "243|112*11", "248|208*177", "198|81*8", "113|48*8", "143|58*8", "248|155*103",
      "248|176*144", "242|80*11", "248|113*56", "173|54*8", "207|48*8", "243|48*11", "248|79*57", "242|13*12",
      "206|11*11", "176|12*11", "143|12*12", "112|13*13", "80|12*12", "248|49*49", "48|13*13", "24|8*8",
      "248|105*105", "104|47*47", "248|140*140", "248|177*176", "248|208*208", "248|232*232", "8|8*8",
  };
  return lines;
}

TColorValue ParsePaletteLine(std::string_view line) {
  if (line.empty()) return 0;
  size_t bar = line.find('|');
  size_t star = line.find('*', bar == std::string_view::npos ? 0 : bar + 1);
  std::string_view red = line.substr(0, bar);
  std::string_view green, blue;
  if (bar != std::string_view::npos) green = line.substr(bar + 1, star == std::string_view::npos ? star : star - bar - 1);
  if (star != std::string_view::npos) blue = line.substr(star + 1);
  return RGB(PartValue(red), PartValue(green), PartValue(blue));
}

TPalette PaletteFromLines(const std::vector<std::string>& lines) {
  TPalette palette;
  for (size_t i = 0; i < lines.size() && i < palette.Cells.size(); ++i) palette.Cells[i] = ParsePaletteLine(lines[i]);
  return palette;
}

PaletteFormat PaletteFormatOf(const std::string& path) {
  std::string ext = LowerCase(ExtractFileExt(path));
  if (ext == ".pal") return PaletteFormat::Pal;
  if (ext == ".act") return PaletteFormat::Act;
  return PaletteFormat::Unknown;
}

void ReadPalette(std::string_view bytes, PaletteFormat format, const std::string& name, TPalette& palette) {
  if (format == PaletteFormat::Unknown) return;
  const size_t need = format == PaletteFormat::Pal ? kPalFileSize : kActFileSize;
  if (bytes.size() < need)
    throw EInOutError("Palette file \"" + name + "\" is too short: " + std::to_string(bytes.size()) + " bytes, " +
                      std::to_string(need) + " needed");
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  TPalette read;
  // A .pal entry is red, green, blue and a zero byte; its fourth byte is not
  // part of the colour.
  const size_t start = format == PaletteFormat::Pal ? 4 : 0;
  const size_t stride = format == PaletteFormat::Pal ? 4 : 3;
  for (size_t k = 0; k < read.Cells.size(); ++k) {
    size_t at = start + stride * k;
    read.Cells[k] = RGB(byte(at), byte(at + 1), byte(at + 2));
  }
  palette = read;
}

PaletteLoad LoadPaletteFile(const std::string& path, TPalette& palette) {
  const PaletteFormat format = PaletteFormatOf(path);
  if (format == PaletteFormat::Unknown) return PaletteLoad::Ignored;
  std::string bytes;
  if (!ReadStart(path, format == PaletteFormat::Pal ? kPalFileSize : kActFileSize, bytes)) {
    if (format == PaletteFormat::Pal) return PaletteLoad::Unopened;
    throw EInOutError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  }
  ReadPalette(bytes, format, path, palette);
  return PaletteLoad::Loaded;
}

std::string PaletteFolder() {
  const std::string own = DataDir() + "swatches/";
  std::error_code error;
  if (std::filesystem::is_directory(own, error)) return own;
  return SharedDataDir() + "swatches/";
}

std::string PalFileBytes(const TPalette& palette) {
  std::string bytes("PAL\0", 4);
  for (TColorValue c : palette.Cells)
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(c >> shift & 0xFF);
  return bytes;
}

std::string ActFileBytes(const TPalette& palette) {
  std::string bytes;
  for (TColorValue c : palette.Cells) {
    bytes += static_cast<char>(GetRValue(c));
    bytes += static_cast<char>(GetGValue(c));
    bytes += static_cast<char>(GetBValue(c));
  }
  return bytes;
}

}  // namespace orv
