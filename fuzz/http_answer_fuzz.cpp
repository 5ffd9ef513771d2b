// HTTP answers: any bytes as what a server sends, fed to the answer reader in
// pieces of varying size; the "Location" value goes through the URL rules.
#include <cstdint>
#include <string>
#include <string_view>

#include "components/net/http_answer.h"
#include "components/net/http_url.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  size_t piece = data[0] % 64 + 1;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  orv::net::THttpAnswer answer;
  uint64_t body = 0;
  answer.OnBody = [&body](const char*, size_t length) { body += length; };
  answer.OnHeaderLine = [](const std::string& line) {
    if (line.size() > orv::net::kMaxLineLength) __builtin_trap();
  };
  while (!bytes.empty() && answer.Feed(bytes.substr(0, piece))) bytes.remove_prefix(std::min(piece, bytes.size()));
  if (body != answer.BodySize()) __builtin_trap();
  if (answer.StatusCode() < 0 || answer.StatusCode() > 999) __builtin_trap();
  orv::net::TUrlParts current = orv::net::ParseURL("http://host:81/dir/page.htm?x=1");
  std::string target = orv::net::CompleteLocation(answer.Location(), current);
  orv::net::TUrlParts parts = orv::net::ParseURL(target);
  orv::net::DocumentName(parts.path);
  return 0;
}
