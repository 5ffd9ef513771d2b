// Walking a format pattern (of FormatDateTime or FormatFloat) outside its
// quoted parts: text in "..." or '...' is copied literally and never holds
// format characters.
#pragma once

#include <cstddef>
#include <string_view>

namespace orv {

// Calls `visit(i)` for each position i of `pattern` that lies outside quotes
// (the quote characters themselves are not visited). Stops as soon as visit
// returns true, and returns whether it did.
template <class Visit>
bool ScanUnquoted(std::string_view pattern, Visit visit) {
  char quote = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (visit(i)) {
      return true;
    }
  }
  return false;
}

}  // namespace orv
