#include "core/site/image_include.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "core/image/image_kinds_test_writer.h"
#include "core/image/image_test_writer.h"
#include "core/site/parse_struct.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using test::EncodeLzw;
using test::GifWriter;

// A GIF whose first image is `width` x `height` on a larger screen.
std::string Gif(uint16_t width, uint16_t height) {
  std::vector<uint8_t> pixels(size_t(width) * height, 1);
  return GifWriter()
      .Header()
      .Screen(static_cast<uint16_t>(width + 5), static_cast<uint16_t>(height + 5), 1)
      .Image(width, height, false, 0, 2, EncodeLzw(pixels, 2), 2, 3)
      .Trailer()
      .Bytes();
}

class ImageIncludeTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("orv_image_include_" + std::to_string(::getpid()));
    fs::create_directories(root_ / "img");
    fs::create_directories(root_ / "elsewhere");
    Write("img/a.gif", Gif(10, 20));
    Write("img/logo.gif", Gif(120, 40));
    Write("img/photo.JPEG", test::MakeJpeg(64, 48));
    Write("img/photo.jpeg", test::MakeJpeg(64, 48));
    Write("img/b.jpg", test::MakeJpeg(33, 17));
    Write("img/broken.gif", "GIF89a garbage");
    Write("img/broken.jpg", "not a jpeg");
    Write("img/logo.png", test::MakePng(24, 12));
    Write("img/photo.webp", test::MakeWebp(31, 9, test::WebpForm::Lossless));
    Write("img/icon.SVG", "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 16 8\"/>");
    Write("img/broken.png", "\x89PNG\r\n\x1a\n and no header");
    Write("img/broken.svg", "<svg width=\"5\"");
    Write("elsewhere/far.gif", Gif(7, 3));
    build_.ImageDir = (root_ / "img").string();
    build_.ImgPrefix = "img/";
  }
  void TearDown() override { fs::remove_all(root_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
  }
  std::string Path(const std::string& name) const { return (root_ / name).string(); }

  fs::path root_;
  BuildState build_;
  TParseStruct& context_ = build_.Context;
};

TEST_F(ImageIncludeTest, IncludeWritesTheMeasuredTag) {
  build_.ImgPrefix = "images/";
  EXPECT_EQ(ImageInclude(context_, "logo.gif"), "<img src=\"images/logo.gif\" width=120 height=40 alt=\"logo.gif\">");
  EXPECT_EQ(context_.GifWidth, "120");
  EXPECT_EQ(context_.GifHeight, "40");
}

// Only scripts and commands change files while a build runs, and the build
// calls OutsideCodeRuns before either: until then an image is looked at once.
TEST_F(ImageIncludeTest, AnImageChangedByCodeDuringTheBuildIsMeasuredAgain) {
  EXPECT_EQ(ImageInclude(context_, "a.gif"), "<img src=\"img/a.gif\" width=10 height=20 alt=\"a.gif\">");
  context_.GifWidth = "stale";
  EXPECT_EQ(ImageInclude(context_, "a.gif"), "<img src=\"img/a.gif\" width=10 height=20 alt=\"a.gif\">");
  EXPECT_EQ(context_.GifWidth, "10");  // the kept size still goes to the context
  Write("img/a.gif", Gif(30, 4));
  build_.Caches.OutsideCodeRuns();
  EXPECT_EQ(ImageInclude(context_, "a.gif"), "<img src=\"img/a.gif\" width=30 height=4 alt=\"a.gif\">");
  Write("img/a.gif", "GIF89a garbage, now");
  build_.Caches.OutsideCodeRuns();
  EXPECT_EQ(ImageInclude(context_, "a.gif"), "<img src=\"img/a.gif\" alt=\"a.gif\">");
  fs::remove(root_ / "img/a.gif");
  EXPECT_EQ(ImageInclude(context_, "a.gif"), "<img src=\"img/a.gif\" alt=\"a.gif\">");
  build_.Caches.OutsideCodeRuns();
  EXPECT_EQ(ImageInclude(context_, "a.gif"), "<!-- ERROR: a.gif -->");
  Write("img/a.gif", Gif(7, 8));
  EXPECT_EQ(ImageInclude(context_, "a.gif"), "<!-- ERROR: a.gif -->");
  build_.Caches.OutsideCodeRuns();
  EXPECT_EQ(ImageInclude(context_, "a.gif"), "<img src=\"img/a.gif\" width=7 height=8 alt=\"a.gif\">");
}

TEST_F(ImageIncludeTest, IncludeIgnoresTheFolderOfTheContent) {
  const std::string tag = "<img src=\"img/logo.gif\" width=120 height=40 alt=\"logo.gif\">";
  EXPECT_EQ(ImageInclude(context_, "pics\\logo.gif"), tag);
  EXPECT_EQ(ImageInclude(context_, "pics/logo.gif"), tag);
  EXPECT_EQ(ImageInclude(context_, "../elsewhere/far.gif"), "<!-- ERROR: ../elsewhere/far.gif -->");
}

TEST_F(ImageIncludeTest, IncludeOfAMissingFileIsAnErrorComment) {
  EXPECT_EQ(ImageInclude(context_, "pics\\none.gif"), "<!-- ERROR: pics\\none.gif -->");
  build_.ImageDir = Path("img/");  // a final '/' is fine too
  EXPECT_EQ(ImageInclude(context_, "a.gif"), "<img src=\"img/a.gif\" width=10 height=20 alt=\"a.gif\">");
}

TEST_F(ImageIncludeTest, JpegExtensionsAreComparedWithoutCase) {
  EXPECT_EQ(ImageInclude(context_, "photo.JPEG"), "<img src=\"img/photo.JPEG\" width=64 height=48 alt=\"photo.JPEG\">");
  EXPECT_EQ(context_.JpegWidth, "64");
  EXPECT_EQ(context_.JpegHeight, "48");
  EXPECT_EQ(ImageInclude(context_, "b.jpg"), "<img src=\"img/b.jpg\" width=33 height=17 alt=\"b.jpg\">");
}

TEST_F(ImageIncludeTest, UnreadableImageGetsNoSizeNotTheLastOne) {
  ImageInclude(context_, "logo.gif");
  EXPECT_EQ(ImageInclude(context_, "broken.gif"), "<img src=\"img/broken.gif\" alt=\"broken.gif\">");
  EXPECT_EQ(context_.GifWidth, "120");  // the stored texts keep their values
  ImageInclude(context_, "b.jpg");
  EXPECT_EQ(ImageInclude(context_, "broken.jpg"), "<img src=\"img/broken.jpg\" alt=\"broken.jpg\">");
  EXPECT_EQ(context_.JpegWidth, "33");
  EXPECT_FALSE(MeasureGif(Path("img/broken.gif"), context_));
  EXPECT_TRUE(MeasureJpeg(Path("img/b.jpg"), context_));
}

TEST_F(ImageIncludeTest, SizeTexts) {
  EXPECT_EQ(GifSizeText(Path("img/logo.gif")), "width=120 height=40");
  EXPECT_EQ(JpegSizeText(Path("img/b.jpg")), "width=33 height=17");
  EXPECT_EQ(GifSizeText(Path("img/broken.gif")), "");
  EXPECT_EQ(JpegSizeText(Path("img/none.jpg")), "");
}

TEST_F(ImageIncludeTest, InsertImageShapes) {
  EXPECT_EQ(InsertImage(build_, "a.gif", 1, "hspace=4"), "<img src=\"img/a.gif\" width=10 height=20 alt=\"a.gif\" hspace=4>");
  EXPECT_EQ(InsertImage(build_, "a.gif", 0, ""), "<img src=\"img/a.gif\" width=10 height=20>");
  EXPECT_EQ(InsertImage(build_, "a.gif", 2, ""), "<img src=\"img/a.gif\" width=10 height=20>");
  EXPECT_EQ(InsertImageEx(build_, "a.gif", 0, "", "pics/", 0), "<img src=\"pics/a.gif\" width=10 height=20 border=0>");
  EXPECT_EQ(InsertImageEx(build_, "a.gif", 1, "align=left", "", 2),
            "<img src=\"a.gif\" width=10 height=20 alt=\"a.gif\" align=left border=2>");
}

// InsertImage measures a file once per stamp, and looks at it on every
// call: a file rewritten or deleted by the script is seen at once.
TEST_F(ImageIncludeTest, InsertImageSeesTheFileAsItIsNow) {
  EXPECT_EQ(InsertImage(build_, "a.gif", 0, ""), "<img src=\"img/a.gif\" width=10 height=20>");
  Write("img/a.gif", Gif(300, 400));
  EXPECT_EQ(InsertImage(build_, "a.gif", 0, ""), "<img src=\"img/a.gif\" width=300 height=400>");
  fs::remove(root_ / "img/a.gif");
  EXPECT_EQ(InsertImage(build_, "a.gif", 0, ""), kNoImageFileLine);
}

// Every image kind is measured, except that a .jpeg file gets no size (as
// these routines have always done).
TEST_F(ImageIncludeTest, InsertImageSizesEveryKindButJpeg) {
  EXPECT_EQ(InsertImage(build_, "b.jpg", 0, ""), "<img src=\"img/b.jpg\" width=33 height=17>");
  EXPECT_EQ(InsertImage(build_, "photo.jpeg", 0, ""), "<img src=\"img/photo.jpeg\" >");
  EXPECT_EQ(InsertImage(build_, "logo.png", 1, ""), "<img src=\"img/logo.png\" width=24 height=12 alt=\"logo.png\">");
  EXPECT_EQ(InsertImage(build_, "photo.webp", 0, ""), "<img src=\"img/photo.webp\" width=31 height=9>");
  EXPECT_EQ(InsertImage(build_, "icon.SVG", 0, ""), "<img src=\"img/icon.SVG\" width=16 height=8>");
  EXPECT_EQ(InsertImage(build_, "broken.gif", 0, "x"), "<img src=\"img/broken.gif\"  x>");
  EXPECT_EQ(InsertImage(build_, "broken.png", 0, ""), "<img src=\"img/broken.png\" >");
}

TEST_F(ImageIncludeTest, IncludeMeasuresEveryKind) {
  const struct {
    const char* content;
    const char* tag;
  } cases[] = {
      {"logo.png", "<img src=\"img/logo.png\" width=24 height=12 alt=\"logo.png\">"},
      {"pics/photo.webp", "<img src=\"img/photo.webp\" width=31 height=9 alt=\"photo.webp\">"},
      {"icon.SVG", "<img src=\"img/icon.SVG\" width=16 height=8 alt=\"icon.SVG\">"},
      {"broken.png", "<img src=\"img/broken.png\" alt=\"broken.png\">"},
      {"broken.svg", "<img src=\"img/broken.svg\" alt=\"broken.svg\">"},
      {"none.avif", "<!-- ERROR: none.avif -->"},
  };
  for (const auto& c : cases) EXPECT_EQ(ImageInclude(context_, c.content), c.tag) << c.content;
  EXPECT_EQ(context_.GifWidth, "");  // only GIF and JPEG sizes go to the context
  EXPECT_EQ(context_.JpegWidth, "");
  EXPECT_EQ(build_.Report.Warnings(), 3);
}

TEST_F(ImageIncludeTest, AvifIsMeasured) {
  if (!test::CanMakeAvif()) GTEST_SKIP() << "this libavif has no AV1 encoder to make test files";
  Write("img/turned.avif", test::MakeAvif(16, 8, 1));
  EXPECT_EQ(ImageInclude(context_, "turned.avif"), "<img src=\"img/turned.avif\" width=8 height=16 alt=\"turned.avif\">");
  EXPECT_EQ(InsertImage(build_, "turned.avif", 0, ""), "<img src=\"img/turned.avif\" width=8 height=16>");
}

TEST_F(ImageIncludeTest, InsertImageWithAFullPathOutsideTheImageFolder) {
  EXPECT_EQ(InsertImage(build_, Path("elsewhere/far.gif"), 1, ""), "<img src=\"img/far.gif\" width=7 height=3 alt=\"far.gif\">");
  // A path whose folder does not exist falls back to the image folder.
  EXPECT_EQ(InsertImage(build_, Path("nowhere/a.gif"), 0, ""), "<img src=\"img/a.gif\" width=10 height=20>");
}

TEST_F(ImageIncludeTest, InsertImageOfAMissingFile) {
  EXPECT_EQ(InsertImage(build_, "none.gif", 1, ""), "<!-- File does not exist -->");
  EXPECT_EQ(InsertImageEx(build_, "none.gif", 1, "", "p/", 0), "<!-- File does not exist -->");
  EXPECT_EQ(InsertImage(build_, Path("img"), 0, ""), "<!-- File does not exist -->");  // a folder is no file
}

}  // namespace
}  // namespace orv
