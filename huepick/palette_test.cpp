#include "huepick/palette.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "huepick/spectrum.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

std::string TempPath(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() / ("orv-palette-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

TPalette RandomPalette(unsigned seed) {
  std::mt19937 random(seed);
  TPalette p;
  for (TColorValue& c : p.Cells) c = random() & 0xFFFFFF;
  return p;
}

TEST(ColourValueTest, HtmlColourAndValueOrders) {
  EXPECT_EQ(HtmlColor(255, 128, 0), "#FF8000");
  EXPECT_EQ(HtmlColor(0, 0, 0), "#000000");
  EXPECT_EQ(HtmlColor(0, 0, 300), "#00002C") << "components keep their low 8 bits";
  EXPECT_EQ(HtmlColor(RGB(255, 0, 0)), "#FF0000");
  EXPECT_EQ(RGB(255, 0, 0), 255u);
  EXPECT_EQ(RGB(0, 128, 0), 32768u);
  EXPECT_EQ(RGBToValue(0, 0, 255), 255 * 65536) << "RGBToValue orders the components as HTML does";
  EXPECT_EQ(RGBToValue(3, 2, 1), 65536 + 512 + 3);
}

TEST(PaletteTest, BuiltinPaletteFillsTheGridInRowOrder) {
  ASSERT_EQ(BuiltinPaletteLines().size(), 255u);
  EXPECT_EQ(BuiltinPaletteLines()[0], "104|70*72");
  TPalette p = PaletteFromLines(BuiltinPaletteLines());
  EXPECT_EQ(p.Cells[0], RGB(104, 70, 72));
  EXPECT_EQ(p.Cells[16], RGB(165, 8, 103)) << "first cell of row 2";
  EXPECT_EQ(p.Cells[254], RGB(8, 8, 8));
  EXPECT_EQ(p.Cells[255], RGB(0, 0, 0)) << "cell 256 has no line and stays black";
}

TEST(PaletteTest, PaletteLines) {
  struct Case {
    const char* line;
    TColorValue colour;
  } cases[] = {
      {"104|70*72", RGB(104, 70, 72)}, {"", 0},           {"0|0*0", 0},          {"1|2*3", RGB(1, 2, 3)},
      {"x|2*3", RGB(0, 2, 3)},         {"7", RGB(7, 0, 0)}, {"7|8", RGB(7, 8, 0)}, {" 9 | 10 * 11 ", RGB(9, 10, 11)},
      {"1*2|3", RGB(0, 3, 0)},         {"99999999999|1*1", RGB(0, 1, 1)},
  };
  for (const Case& c : cases) EXPECT_EQ(ParsePaletteLine(c.line), c.colour) << c.line;
  TPalette p = PaletteFromLines({"", "1|2*3"});
  EXPECT_EQ(p.Cells[0], 0u) << "an empty line leaves its cell black";
  EXPECT_EQ(p.Cells[1], RGB(1, 2, 3));
}

TEST(PaletteTest, FormatsByExtensionWithoutCase) {
  EXPECT_EQ(PaletteFormatOf("/x/web.pal"), PaletteFormat::Pal);
  EXPECT_EQ(PaletteFormatOf("/x/WEB.PAL"), PaletteFormat::Pal);
  EXPECT_EQ(PaletteFormatOf("grey.ACT"), PaletteFormat::Act);
  EXPECT_EQ(PaletteFormatOf("grey.Act"), PaletteFormat::Act);
  EXPECT_EQ(PaletteFormatOf("grey.txt"), PaletteFormat::Unknown);
  EXPECT_EQ(PaletteFormatOf("pal"), PaletteFormat::Unknown);
}

TEST(PaletteTest, FilesRoundTripInBothFormats) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    TPalette original = RandomPalette(seed);
    std::string pal = PalFileBytes(original), act = ActFileBytes(original);
    ASSERT_EQ(pal.size(), kPalFileSize);
    ASSERT_EQ(act.size(), kActFileSize);
    TPalette from_pal, from_act;
    ReadPalette(pal, PaletteFormat::Pal, "x.pal", from_pal);
    ReadPalette(act, PaletteFormat::Act, "x.act", from_act);
    EXPECT_EQ(from_pal.Cells, original.Cells) << seed;
    EXPECT_EQ(from_act.Cells, original.Cells) << seed;
  }
}

TEST(PaletteTest, ShortFilesRaiseAndLeaveThePaletteAlone) {
  const TPalette before = RandomPalette(7);
  const TPalette other = RandomPalette(8);
  struct Case {
    PaletteFormat format;
    std::string bytes;
  } cases[] = {
      {PaletteFormat::Pal, PalFileBytes(other).substr(0, kPalFileSize - 1)},
      {PaletteFormat::Pal, ""},
      {PaletteFormat::Act, ActFileBytes(other).substr(0, kActFileSize - 1)},
      {PaletteFormat::Act, "abc"},
  };
  for (const Case& c : cases) {
    TPalette p = before;
    EXPECT_THROW(ReadPalette(c.bytes, c.format, "short", p), EInOutError) << c.bytes.size();
    EXPECT_EQ(p.Cells, before.Cells);
  }
  try {
    TPalette p;
    ReadPalette("abc", PaletteFormat::Act, "/x/s.act", p);
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Palette file \"/x/s.act\" is too short: 3 bytes, 768 needed");
  }
}

TEST(PaletteTest, LoadingFiles) {
  const TPalette colours = RandomPalette(3);
  const std::string upper = TempPath("UPPER.ACT"), trailer = TempPath("trailer.act"), pal = TempPath("p.pal"),
                    text = TempPath("p.txt");
  WriteFileBytes(upper, ActFileBytes(colours));
  WriteFileBytes(trailer, ActFileBytes(colours) + "\x01\x02\x03\x04");
  WriteFileBytes(pal, PalFileBytes(colours) + "more");
  WriteFileBytes(text, PalFileBytes(colours));
  for (const std::string& path : {upper, trailer, pal}) {
    TPalette p;
    EXPECT_EQ(LoadPaletteFile(path, p), PaletteLoad::Loaded) << path;
    EXPECT_EQ(p.Cells, colours.Cells) << path;
  }
  TPalette p;
  EXPECT_EQ(LoadPaletteFile(text, p), PaletteLoad::Ignored);
  EXPECT_EQ(LoadPaletteFile(TempPath("missing.pal"), p), PaletteLoad::Unopened);
  EXPECT_EQ(p.Cells, TPalette().Cells);
  EXPECT_THROW(LoadPaletteFile(TempPath("missing.act"), p), EInOutError);
  std::filesystem::remove_all(std::filesystem::path(upper).parent_path());
}

TEST(PaletteTest, PaletteFolderPrefersTheDataFolder) {
  const std::string own = DataDir() + "swatches/";
  std::filesystem::remove_all(own);
  EXPECT_EQ(PaletteFolder(), SharedDataDir() + "swatches/") << "the shipped palettes when the user has none";
  std::filesystem::create_directories(own);
  EXPECT_EQ(PaletteFolder(), own);
  std::filesystem::remove_all(own);
}

TEST(SpectrumTest, FrameCornersAndHues) {
  struct Case {
    int x, y;
    TColorValue colour;
    const char* what;
  } cases[] = {
      {0, 0, kSpectrumFrame, "top left corner"},
      {90, 368, kSpectrumFrame, "bottom right corner"},
      {45, 0, kSpectrumFrame, "top edge"},
      {1, 1, RGB(0, 0, 0), "black at the left"},
      {45, 1, RGB(255, 0, 0), "pure red at the top middle"},
      {89, 1, RGB(255, 255, 255), "white at the right"},
      {45, 62, RGB(255, 255, 0), "yellow a sixth of the way down"},
      {45, 123, RGB(0, 255, 0), "green a third of the way down"},
      {45, 184, RGB(0, 255, 255), "cyan in the centre"},
      {45, 245, RGB(0, 0, 255), "blue two thirds down"},
      {45, 306, RGB(255, 0, 255), "magenta five sixths down"},
      {45, 367, RGB(255, 0, 0), "red again at the bottom"},
      {23, 184, RGB(0, 128, 128), "half way to black"},
      {67, 184, RGB(128, 255, 255), "half way to white"},
  };
  for (const Case& c : cases) EXPECT_EQ(SpectrumPixel(c.x, c.y), c.colour) << c.what;
  std::vector<TColorValue> pixels = SpectrumPixels();
  ASSERT_EQ(pixels.size(), 91u * 369u);
  EXPECT_EQ(pixels[184 * 91 + 45], RGB(0, 255, 255));
}

}  // namespace
}  // namespace orv
