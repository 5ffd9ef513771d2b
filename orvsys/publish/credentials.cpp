#include "orvsys/publish/credentials.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "orvsys/publish/site_address.h"
#include "platform/exception.h"
#include "platform/files.h"

namespace orv {

namespace {

std::string HomeDir() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return "/";
}

std::string SshDir() { return HomeDir() + "/.ssh/"; }

// The passwords typed in this process, by login.
struct PasswordStore {
  std::mutex lock;
  std::map<std::string, std::string> passwords;
};

PasswordStore& Passwords() {
  static PasswordStore store;
  return store;
}

}  // namespace

std::string NetrcFile() { return HomeDir() + "/.netrc"; }
std::string KnownHostsFile() { return SshDir() + "known_hosts"; }

std::string SshIdentityFile() {
  for (const char* name : {"id_ed25519", "id_ecdsa", "id_rsa"})
    if (FileExists(SshDir() + name)) return SshDir() + name;
  return std::string();
}

std::optional<std::string> RememberedPassword(const TSiteAddress& address) {
  PasswordStore& store = Passwords();
  std::lock_guard<std::mutex> guard(store.lock);
  auto found = store.passwords.find(address.LoginKey());
  if (found == store.passwords.end()) return std::nullopt;
  return found->second;
}

void RememberPassword(const TSiteAddress& address, const std::string& password) {
  PasswordStore& store = Passwords();
  std::lock_guard<std::mutex> guard(store.lock);
  store.passwords[address.LoginKey()] = password;
}

void ForgetPassword(const TSiteAddress& address) {
  PasswordStore& store = Passwords();
  std::lock_guard<std::mutex> guard(store.lock);
  store.passwords.erase(address.LoginKey());
}

std::string THostKey::Fingerprint() const {
  std::string raw(Base64.size(), '\0');
  const int decoded = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(raw.data()),
                                      reinterpret_cast<const unsigned char*>(Base64.data()),
                                      static_cast<int>(Base64.size()));
  if (decoded < 0) return "SHA256:?";
  // EVP_DecodeBlock counts the padding's zero bytes too.
  size_t size = static_cast<size_t>(decoded);
  for (size_t i = Base64.size(); i > 0 && Base64[i - 1] == '='; --i) --size;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(raw.data(), size, digest, &length, EVP_sha256(), nullptr);
  std::string text(4 * ((length + 2) / 3) + 1, '\0');
  const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()), digest, static_cast<int>(length));
  text.resize(static_cast<size_t>(written));
  while (!text.empty() && text.back() == '=') text.pop_back();
  return "SHA256:" + text;
}

void TrustHostKey(const TSiteAddress& address, const THostKey& key) {
  const std::string dir = SshDir();
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
    throw EInOutError("Cannot create folder \"" + dir + "\". " + std::strerror(errno));
  const std::string path = KnownHostsFile();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) throw EInOutError("Cannot write file \"" + path + "\". " + std::strerror(errno));
  // A file whose last line lacks its line break gets one first.
  std::string line;
  struct stat info;
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    std::string bytes;
    if (ReadRegularFile(path, bytes) == FileRead::Read && !bytes.empty() && bytes.back() != '\n') line = "\n";
  }
  line += address.KnownHostsName() + " " + key.Type + " " + key.Base64 + "\n";
  const bool ok = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
  const int error = errno;
  ::close(fd);
  if (!ok) throw EInOutError("Cannot write file \"" + path + "\". " + std::strerror(error));
}

}  // namespace orv
