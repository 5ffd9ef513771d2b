// Measuring WebP images (lossy VP8, lossless VP8L and the extended form with
// a VP8X header, animated or not) with libwebp's header reader, given the
// file's first 64 KiB at most.
#pragma once

#include "core/image/image_size.h"
#include "core/image/image_source.h"

namespace orv {

// The size of the WebP image in `source` (for an extended file, its canvas).
// Raises EImageError when it is not a WebP file or its header is damaged or
// cut short, EInOutError when it cannot be read.
TImageSize ReadWebpSize(const ImageSource& source);

}  // namespace orv
