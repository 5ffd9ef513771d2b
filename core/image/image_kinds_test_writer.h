// Test helpers that make real image files of the kinds beyond GIF and JPEG
// with the formats' own libraries (libpng, libwebp, libavif), so the
// readers are checked against files that other programs write.
#pragma once

#include <string>

namespace orv::test {

// A grey PNG image of the given size.
std::string MakePng(unsigned width, unsigned height);

// How a WebP file is made.
enum class WebpForm { Lossy, Lossless, Extended, Animated };

// A WebP image of the given size (at most 16383 x 16383). Extended: a
// lossy image with a VP8X header and an ICC profile of `icc_bytes` before
// the image data; Animated: two frames.
std::string MakeWebp(unsigned width, unsigned height, WebpForm form, size_t icc_bytes = 100);

// Whether this libavif can write AVIF files (it needs an AV1 encoder).
bool CanMakeAvif();

// An AVIF image of the given stored size; `quarter_turns` (0 to 3) becomes
// its irot box, and a crop (crop_width x crop_height, centred) its clap box
// when crop_width is not 0.
std::string MakeAvif(unsigned width, unsigned height, int quarter_turns = 0, unsigned crop_width = 0,
                     unsigned crop_height = 0);

}  // namespace orv::test
