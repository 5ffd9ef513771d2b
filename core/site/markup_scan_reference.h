// The markup scan loop written out literally, editing one text in place with
// 1-based positions. It is quadratic in the page size and kept only as the
// reference that tests and the benchmark compare ScanMarkup with.
#pragma once

#include <string>

#include "core/site/markup_scan.h"
#include "core/site/wildcard_pos.h"

namespace orv {

inline bool LiteralScanMarkup(std::string& t, const std::string& open, const std::string& close,
                              const MarkupReplacer& replace) {
  bool found = false;
  int next = 2;
  for (;;) {
    int p = WildcardPos(t, open, next - 1);
    if (p == 0) break;
    int q = WildcardPos(t, close, p + 2);
    if (q == 0) break;
    found = true;
    std::string content = t.substr(static_cast<size_t>(p + 1), static_cast<size_t>(q - p - 2));
    std::string replacement = replace(content);
    t.erase(static_cast<size_t>(p - 1), static_cast<size_t>(q + 1 - p + 1));
    t.insert(static_cast<size_t>(p - 1), replacement);
    next = q;
  }
  return found;
}

}  // namespace orv
