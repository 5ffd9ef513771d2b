// giflib reading from and writing to memory, for the differential test and the
// benchmark that use giflib as the peer to compare the GIF reader with. The
// product itself never links giflib.
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace orv::giflib {

// EGifOpen output function: appends to the std::string passed as user data.
inline int WriteToString(GifFileType* gif, const GifByteType* data, int size) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), size);
  return size;
}

// DGifOpen user data: a text read from its start.
struct MemoryInput {
  const std::string* Data;
  size_t Pos = 0;
};

// DGifOpen input function reading a MemoryInput.
inline int ReadFromString(GifFileType* gif, GifByteType* buffer, int size) {
  auto* in = static_cast<MemoryInput*>(gif->UserData);
  size_t n = std::min(static_cast<size_t>(size), in->Data->size() - in->Pos);
  std::memcpy(buffer, in->Data->data() + in->Pos, n);
  in->Pos += n;
  return static_cast<int>(n);
}

}  // namespace orv::giflib
