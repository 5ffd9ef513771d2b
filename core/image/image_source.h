// Where an image's bytes come from: a file, read a piece at a time, or a
// block of memory. The readers of image headers ask for the pieces they
// need, so measuring an image reads (and holds) only its first bytes, and
// never more than the file holds, whatever sizes its header claims.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// The most the AVIF reader reads of a file in one piece: far more than any
// real image's header boxes, far less than memory.
inline constexpr size_t kMaxImageHeadBytes = 64u << 20;

// The bytes of one image: an open file or a view of memory that outlives
// the source.
class ImageSource {
 public:
  // Opens `path` for reading; raises EInOutError ("Cannot open file
  // "<path>". <reason>") when it cannot be opened or is not a regular file.
  static ImageSource FromFile(const std::string& path);
  static ImageSource FromMemory(std::string_view data);

  ImageSource(ImageSource&& other) noexcept;
  ImageSource& operator=(ImageSource&&) = delete;
  ImageSource(const ImageSource&) = delete;
  ImageSource& operator=(const ImageSource&) = delete;
  ~ImageSource();

  // The number of bytes (the file's size when it was opened).
  uint64_t Size() const { return size_; }

  // Up to `count` bytes from `offset`: fewer at the end, none past it.
  // Raises EInOutError when the file cannot be read.
  std::string Read(uint64_t offset, size_t count) const;

  // The path of the file, or "" for memory.
  const std::string& Path() const { return path_; }

 private:
  ImageSource(int fd, std::string path, uint64_t size, std::string_view memory);

  int fd_;
  std::string path_;
  uint64_t size_;
  std::string_view memory_;
};

}  // namespace orv
