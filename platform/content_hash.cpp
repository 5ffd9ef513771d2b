#include "platform/content_hash.h"

#include <cstring>

namespace orv {

namespace {

// A bijective mixer (the finaliser of SplitMix64's successor): every input
// bit changes about half of the output bits.
uint64_t Mix(uint64_t x) {
  x ^= x >> 32;
  x *= 0xd6e8feb86659fd93ULL;
  x ^= x >> 32;
  x *= 0xd6e8feb86659fd93ULL;
  x ^= x >> 32;
  return x;
}

}  // namespace

uint64_t ContentHash(std::string_view bytes, uint64_t seed) {
  const char* p = bytes.data();
  size_t n = bytes.size();
  uint64_t h = Mix(seed ^ (0x9e3779b97f4a7c15ULL * (n + 1)));
  for (; n >= 8; n -= 8, p += 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    h = Mix(h ^ word) + 0x9e3779b97f4a7c15ULL;
  }
  uint64_t tail = 0;
  std::memcpy(&tail, p, n);
  return Mix(h ^ tail ^ (static_cast<uint64_t>(n) << 59));
}

}  // namespace orv
