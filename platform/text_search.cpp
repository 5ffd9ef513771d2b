#include "platform/text_search.h"

#include <string.h>

#include <algorithm>

#include "platform/run_limits.h"

namespace orv {
namespace {

// The part of the text one call of memmem looks at: the limits are checked
// between such stretches. memmem (glibc) is linear in the text's length.
constexpr size_t kStretch = size_t{4} << 20;

}  // namespace

size_t FindText(std::string_view text, std::string_view pattern, size_t from) {
  if (from > text.size() || text.size() - from < pattern.size()) return std::string_view::npos;
  if (pattern.empty()) return from;
  // Each stretch starts where the last one's candidates ended, and is long
  // enough next to the pattern that the overlap costs little.
  const size_t stretch = std::max(kStretch, 4 * pattern.size());
  for (size_t start = from; start + pattern.size() <= text.size(); start += stretch) {
    // A search within one stretch takes moments, so most searches (short
    // texts, searched again and again in a loop) never look at the clock.
    if (start != from) CheckRunLimits();
    const size_t length = std::min(text.size() - start, stretch + pattern.size() - 1);
    const void* found = ::memmem(text.data() + start, length, pattern.data(), pattern.size());
    if (found) return static_cast<size_t>(static_cast<const char*>(found) - text.data());
  }
  return std::string_view::npos;
}

}  // namespace orv
