// A 64-bit hash of a file's or a text's bytes: what tells an incremental
// build that a file whose stamp moved still holds what it held. Stable
// across runs and machines (it is kept in files); not for security.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv {

// The hash of `bytes`, chained from `seed` (hash a sequence of texts by
// passing each result as the next seed).
uint64_t ContentHash(std::string_view bytes, uint64_t seed = 0);

}  // namespace orv
