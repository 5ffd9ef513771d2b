#include "core/image/webp_size.h"

#include <gtest/gtest.h>

#include <string>

#include "core/image/image_kinds_test_writer.h"
#include "core/image/image_size_test_support.h"

namespace orv {
namespace {

using test::MakeWebp;
using test::WebpForm;

std::string Measure(const std::string& bytes) { return test::SizeOrError(ReadWebpSize, bytes); }

TEST(WebpSizeTest, MeasuresEveryForm) {
  for (WebpForm form : {WebpForm::Lossy, WebpForm::Lossless, WebpForm::Extended, WebpForm::Animated}) {
    for (auto [w, h] : {std::pair{1u, 1u}, {17u, 5u}, {300u, 200u}, {16383u, 2u}}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(form)) + ": " + std::to_string(w) + "x" + std::to_string(h));
      EXPECT_EQ(Measure(MakeWebp(w, h, form)), std::to_string(w) + "x" + std::to_string(h));
    }
  }
}

// A colour profile of 300 KB stands between the VP8X chunk, which gives the
// size, and the image data.
TEST(WebpSizeTest, ExtendedFilesGiveTheirCanvas) {
  EXPECT_EQ(Measure(MakeWebp(40, 30, WebpForm::Extended, 300000)), "40x30");
}

TEST(WebpSizeTest, DamagedFilesAreRefused) {
  const std::string lossy = MakeWebp(40, 30, WebpForm::Lossy);
  const std::string lossless = MakeWebp(40, 30, WebpForm::Lossless);
  std::string bad_start_code = lossy;
  bad_start_code[23] = 0;  // the VP8 key frame's start code 9d 01 2a
  std::string bad_canvas = MakeWebp(40, 30, WebpForm::Extended);
  bad_canvas[24] = 50;  // the VP8X canvas no longer fits the image
  std::string bad_signature = lossless;
  bad_signature[20] = 0;  // the VP8L signature byte 0x2f
  const struct {
    std::string bytes;
    std::string error;
  } cases[] = {
      {"", "Not a WebP file"},
      {"RIFF\x10\0\0\0WEBX", "Not a WebP file"},
      {lossless.substr(20), "Not a WebP file"},  // a bare VP8L stream is no WebP file
      {lossy.substr(0, 20), "WebP file ends before its header does"},
      {bad_start_code, "WebP file header is damaged"},
      {bad_canvas, "WebP file header is damaged"},
      {bad_signature, "WebP file header is damaged"},
  };
  for (const auto& c : cases) EXPECT_EQ(Measure(c.bytes), c.error) << testing::PrintToString(c.bytes.substr(0, 32));
}

}  // namespace
}  // namespace orv
