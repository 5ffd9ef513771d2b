// Measuring JPEG images: the width and height stored in the frame header, read
// with the JPEG library's header reader. Errors of the library come back as
// exceptions; the library never ends the process or prints anything.
#pragma once

#include <string>
#include <string_view>

#include "core/image/image_size.h"

namespace orv {

// The size of the JPEG image in `file_name`. Raises EInOutError when the file
// cannot be opened and EJpegError (with the library's message) when it is not
// a readable JPEG stream.
TImageSize ReadJpegSize(const std::string& file_name);

// The size of the JPEG image held in `data`; errors as ReadJpegSize.
TImageSize ReadJpegSizeFromMemory(std::string_view data);

}  // namespace orv
