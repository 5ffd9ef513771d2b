// Measuring PNG images: the width and height of the IHDR chunk, which a PNG
// file must hold right after its signature. Only those first 33 bytes are
// read; the chunk's CRC and fields are checked as a PNG decoder checks them,
// so a file whose header is damaged is refused rather than measured wrongly.
#pragma once

#include "core/image/image_size.h"
#include "core/image/image_source.h"

namespace orv {

// The size of the PNG (or APNG) image in `source`. Raises EImageError when
// the file is not a PNG file or its IHDR chunk is damaged, EInOutError when
// it cannot be read.
TImageSize ReadPngSize(const ImageSource& source);

}  // namespace orv
