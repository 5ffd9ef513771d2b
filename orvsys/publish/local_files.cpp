#include "orvsys/publish/local_files.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "orvsys/publish/publish_error.h"
#include "orvsys/publish/site_address.h"
#include "platform/files.h"

namespace orv {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void CannotRead(const std::string& path, const std::string& why) {
  throw EPublishError(PublishFailure::Failed, "Cannot read \"" + path + "\": " + why);
}

}  // namespace

std::string FileSha256(const std::string& path, uint64_t* size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) CannotRead(path, std::strerror(errno));
  std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) {
    ::close(fd);
    throw EPublishError(PublishFailure::Failed, "The SHA-256 digest is not available");
  }
  uint64_t total = 0;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      ::close(fd);
      CannotRead(path, std::strerror(error));
    }
    if (got == 0) break;
    EVP_DigestUpdate(context.get(), buffer, static_cast<size_t>(got));
    total += static_cast<uint64_t>(got);
  }
  ::close(fd);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_DigestFinal_ex(context.get(), digest, &length);
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 15];
  }
  if (size) *size = total;
  return hex;
}

std::map<std::string, TLocalFile> ScanLocalFolder(const std::string& folder) {
  if (!DirectoryExists(folder))
    throw EPublishError(PublishFailure::Failed, "The folder to publish does not exist: " + folder);
  std::map<std::string, TLocalFile> files;
  std::error_code error;
  fs::recursive_directory_iterator it(folder, error), end;
  if (error) CannotRead(folder, error.message());
  for (; it != end; it.increment(error)) {
    if (error) CannotRead(folder, error.message());
    const fs::directory_entry& entry = *it;
    std::error_code ignored;
    if (!entry.is_regular_file(ignored)) continue;
    const std::string relative = fs::relative(entry.path(), folder).generic_string();
    if (HasControlCharacter(relative))
      throw EPublishError(PublishFailure::Failed,
                          "The file name \"" + relative + "\" holds a control character; no server takes it");
    TLocalFile file;
    file.FullPath = entry.path().string();
    file.Hash = FileSha256(file.FullPath, &file.Size);
    files[relative] = std::move(file);
  }
  if (error) CannotRead(folder, error.message());
  return files;
}

}  // namespace orv
