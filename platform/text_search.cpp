#include "platform/text_search.h"

#include <string.h>

#include <algorithm>

#include "platform/run_limits.h"

namespace orv {
namespace {

// The part of the text one search looks at: the limits are checked between
// such stretches. memmem (glibc) is linear in the text's length.
constexpr size_t kStretch = size_t{4} << 20;

// A search in a text shorter than this does not look at the limits.
constexpr size_t kShortText = size_t{64} << 10;

// Patterns up to this long are looked for with std::string_view::find: it
// compares the pattern at each place its first byte occurs, which for a
// pattern this short is linear too, and it costs nothing to set up, where
// memmem first builds a table (most of the time of a search in a short
// text).
constexpr size_t kShortPattern = 16;

// The first occurrence of `pattern` in `text`, or npos.
size_t FindIn(std::string_view text, std::string_view pattern) {
  // One byte is found by memchr alone, without comparing it again.
  if (pattern.size() == 1) return text.find(pattern.front());
  if (pattern.size() <= kShortPattern) return text.find(pattern);
  const void* found = ::memmem(text.data(), text.size(), pattern.data(), pattern.size());
  return found ? static_cast<size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
}

}  // namespace

size_t FindText(std::string_view text, std::string_view pattern, size_t from) {
  if (from > text.size() || text.size() - from < pattern.size()) return std::string_view::npos;
  if (pattern.empty()) return from;
  // Each stretch starts where the last one's candidates ended, and is long
  // enough next to the pattern that the overlap costs little.
  const size_t stretch = std::max(kStretch, 4 * pattern.size());
  // Most searches are in short texts, again and again in a loop: they take
  // moments and never look at the clock.
  const bool long_text = text.size() - from > kShortText;
  for (size_t start = from; start + pattern.size() <= text.size(); start += stretch) {
    if (long_text) CheckRunLimits();
    const size_t length = std::min(text.size() - start, stretch + pattern.size() - 1);
    const size_t found = FindIn(text.substr(start, length), pattern);
    if (found != std::string_view::npos) return start + found;
  }
  return std::string_view::npos;
}

}  // namespace orv
