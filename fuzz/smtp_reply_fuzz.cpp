// SMTP replies: any bytes as what a server sends, split into bounded lines and
// read as replies; the bytes are also read as a recipient entry.
#include <cstdint>
#include <string>
#include <string_view>

#include "components/net/line_splitter.h"
#include "components/net/smtp_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  orv::net::TLineSplitter splitter;
  while (!bytes.empty()) {
    std::optional<std::string> line = splitter.Next(bytes);
    if (splitter.Overflowed()) break;
    if (!line) continue;
    if (line->size() > splitter.MaxLength()) __builtin_trap();
    orv::net::TSmtpReplyLine reply = orv::net::ParseSmtpReplyLine(*line);
    if (reply.valid && (reply.code < 0 || reply.code > 999)) __builtin_trap();
  }
  for (const std::string& address : orv::net::EntryAddresses(std::string(reinterpret_cast<const char*>(data), size)))
    if (address.empty()) __builtin_trap();
  return 0;
}
