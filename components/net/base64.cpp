#include "components/net/base64.h"

#include <cstdint>

namespace orv::net {

std::string Base64Encode(std::string_view bytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    size_t left = bytes.size() - i;
    uint32_t block = static_cast<unsigned char>(bytes[i]) << 16;
    if (left > 1) block |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (left > 2) block |= static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(block >> 18) & 63];
    out += kAlphabet[(block >> 12) & 63];
    out += left > 1 ? kAlphabet[(block >> 6) & 63] : '=';
    out += left > 2 ? kAlphabet[block & 63] : '=';
  }
  return out;
}

}  // namespace orv::net
