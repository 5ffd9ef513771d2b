#include "platform/content_hash.h"

// XXH3 compiled into this file: no library to load at run time. It reads
// many bytes per cycle, where a word-at-a-time mixer made hashing every
// page and include a tenth of a full build.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace orv {

uint64_t ContentHash(std::string_view bytes, uint64_t seed) {
  return XXH3_64bits_withSeed(bytes.data(), bytes.size(), seed);
}

}  // namespace orv
