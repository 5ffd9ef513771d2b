// Exception classes of the image readers: format errors of the GIF reader,
// index and memory errors of the byte arrays, list errors of the data buffer,
// errors reported by the JPEG library and the measuring errors of the other
// image kinds.
#pragma once

#include "platform/exception.h"

namespace orv {

// A GIF file whose contents break the format (version, blocks, LZW codes).
class EGifException : public Exception {
 public:
  using Exception::Exception;
};

// An element or row index outside a byte array (also: more pixels than fit).
class EIndexOutOfBounds : public Exception {
 public:
  using Exception::Exception;
};

// A byte array larger than the readers allow, or than memory can hold.
class ENotEnoughMemory : public EOutOfMemory {
 public:
  using EOutOfMemory::EOutOfMemory;
};

// An index outside a list (reading past the last data sub-block).
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// A JPEG file that the JPEG library could not read; the message is the
// library's own.
class EJpegError : public Exception {
 public:
  using Exception::Exception;
};

// A PNG, WebP, SVG or AVIF file whose size cannot be read from it; the
// message says why.
class EImageError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace orv
