#include "core/site/wildcard_pos.h"

#include <cstdint>

#include "platform/run_limits.h"
#include "platform/text_search.h"

namespace orv {

// Character comparisons between two looks at a script run's limits.
static constexpr uint64_t kComparisonsPerCheck = uint64_t{1} << 22;

static bool MatchAt(std::string_view source, size_t at, std::string_view pattern, bool fold) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    auto pc = static_cast<unsigned char>(pattern[i]);
    auto sc = static_cast<unsigned char>(source[at + i]);
    if (pc == '?' || sc == pc) continue;
    if (fold && sc >= 65 && sc <= 122 && (sc ^ 32) == pc && pc <= 122) continue;
    return false;
  }
  return true;
}

int WildcardPos(std::string_view source, std::string_view pattern, int start) {
  if (source.empty() || pattern.empty() || start == 0) return 0;
  bool fold = start < 0;
  uint64_t from = fold ? static_cast<uint64_t>(-static_cast<int64_t>(start)) : static_cast<uint64_t>(start);
  if (from > source.size() || source.size() - (from - 1) < pattern.size()) return 0;
  size_t first = static_cast<size_t>(from - 1);
  if (!fold && pattern.find('?') == std::string_view::npos) {
    size_t pos = FindText(source, pattern, first);
    return pos == std::string_view::npos ? 0 : static_cast<int>(pos + 1);
  }
  // Only places whose first character can match are compared further.
  auto head = static_cast<unsigned char>(pattern[0]);
  bool any_head = head == '?';
  unsigned char other = head;
  if (fold && (head ^ 32) >= 65 && (head ^ 32) <= 122 && head <= 122) other = static_cast<unsigned char>(head ^ 32);
  // A pattern with wildcards is compared place by place, which may take the
  // product of both lengths: the limits of a script run are checked as the
  // comparisons add up.
  const size_t last = source.size() - pattern.size();
  uint64_t work = 0;
  for (size_t at = first; at <= last; ++at) {
    auto sc = static_cast<unsigned char>(source[at]);
    if (!any_head && sc != head && sc != other) continue;
    if (MatchAt(source, at, pattern, fold)) return static_cast<int>(at + 1);
    work += pattern.size();
    if (work >= kComparisonsPerCheck) {
      work = 0;
      CheckRunLimits();
    }
  }
  return 0;
}

}  // namespace orv
