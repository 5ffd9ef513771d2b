#include "core/image/image_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/exception.h"

namespace orv {

namespace {

[[noreturn]] void CannotRead(const std::string& path, const char* reason) {
  throw EInOutError("Cannot open file \"" + path + "\". " + reason);
}

}  // namespace

ImageSource::ImageSource(int fd, std::string path, uint64_t size, std::string_view memory)
    : fd_(fd), path_(std::move(path)), size_(size), memory_(memory) {}

ImageSource::ImageSource(ImageSource&& other) noexcept
    : fd_(other.fd_), path_(std::move(other.path_)), size_(other.size_), memory_(other.memory_) {
  other.fd_ = -1;
}

ImageSource::~ImageSource() {
  if (fd_ >= 0) ::close(fd_);
}

ImageSource ImageSource::FromFile(const std::string& path) {
  // O_NONBLOCK: a pipe put where an image was expected must not hold the
  // build up; fstat then refuses it.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) CannotRead(path, std::strerror(errno));
  ImageSource source(fd, path, 0, {});
  struct stat st;
  if (::fstat(fd, &st) != 0) CannotRead(path, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) CannotRead(path, "Not a regular file");
  source.size_ = static_cast<uint64_t>(st.st_size);
  return source;
}

ImageSource ImageSource::FromMemory(std::string_view data) { return ImageSource(-1, std::string(), data.size(), data); }

std::string ImageSource::Read(uint64_t offset, size_t count) const {
  if (offset >= size_) return std::string();
  count = static_cast<size_t>(std::min<uint64_t>(count, size_ - offset));
  if (fd_ < 0) return std::string(memory_.substr(static_cast<size_t>(offset), count));
  std::string bytes(count, '\0');
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::pread(fd_, bytes.data() + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) CannotRead(path_, std::strerror(errno));
    if (n == 0) break;  // the file became shorter since it was opened
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace orv
