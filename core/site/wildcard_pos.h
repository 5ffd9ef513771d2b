// The text search that every page stage uses and that scripts call as ScanF.
#pragma once

#include <string_view>

namespace orv {

// The 1-based position of the first match of `pattern` in `source` at or
// after position |start|, or 0.
// - A "?" in the pattern matches any character.
// - A negative `start` searches from position -start without regard to ASCII
//   letter case: a source character with a code from 65 to 122 also matches a
//   pattern character (of code 122 or less) equal to it with bit 5 flipped.
// - 0 when either text is empty, when `start` is 0, when |start| lies beyond
//   the end of `source`, or when fewer than the pattern's length characters
//   remain from there.
// A search without wildcards or case folding takes time in proportion to the
// source's length (FindText); the others, which compare place by place,
// check a script run's limits as the comparisons add up (ETimeLimit once its
// time is up).
int WildcardPos(std::string_view source, std::string_view pattern, int start);

}  // namespace orv
