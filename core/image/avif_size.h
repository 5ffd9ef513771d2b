// Measuring AVIF images with libavif's container parser: the size of the
// primary image as it is shown, that is after its clean-aperture crop
// ('clap') and a quarter or three-quarter turn ('irot'), which the format
// requires a viewer to apply. Only the container's boxes are read (through
// the ImageSource: never more than the file holds, and no piece larger
// than kMaxImageHeadBytes); nothing is decoded.
#pragma once

#include "core/image/image_size.h"
#include "core/image/image_source.h"

namespace orv {

// The size of the AVIF image in `source`. Raises EImageError with libavif's
// reason when the file is not an AVIF file or its boxes are damaged,
// EInOutError when it cannot be read.
TImageSize ReadAvifSize(const ImageSource& source);

}  // namespace orv
