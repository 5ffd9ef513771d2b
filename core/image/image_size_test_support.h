// Test helpers of the image header readers: what a reader makes of bytes in
// memory or of a large file, as text that a table of cases can hold.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "core/image/image_errors.h"
#include "core/image/image_size.h"
#include "core/image/image_source.h"
#include "platform/files.h"

namespace orv::test {

using SizeReader = TImageSize (*)(const ImageSource&);

// "WxH" as `read` measures the source `open()` gives, or the message of
// its EImageError.
template <typename Open>
std::string SizeOrErrorOf(SizeReader read, const Open& open) {
  try {
    const TImageSize size = read(open());
    return std::to_string(size.Width) + "x" + std::to_string(size.Height);
  } catch (const EImageError& error) {
    return error.what();
  }
}

// SizeOrErrorOf for `bytes` in memory.
inline std::string SizeOrError(SizeReader read, std::string_view bytes) {
  return SizeOrErrorOf(read, [bytes] { return ImageSource::FromMemory(bytes); });
}

// Measures with `read` a file that begins with `head` and is `size` bytes
// long (the rest a hole of zeros, which takes no disk), and returns
// SizeOrError's text.
inline std::string SizeOrErrorOfSparseFile(SizeReader read, const std::string& head, long long size) {
  const std::string path = std::filesystem::temp_directory_path() / ("orv_sparse_" + std::to_string(::getpid()));
  WriteFileBytes(path, head);
  const std::string result = ::truncate(path.c_str(), size) != 0
                                 ? "truncate failed"
                                 : SizeOrErrorOf(read, [&path] { return ImageSource::FromFile(path); });
  std::filesystem::remove(path);
  return result;
}

}  // namespace orv::test
