// Letter case and collation by the user's locale (LC_CTYPE, LC_COLLATE as set
// in the environment). Texts are bytes; in a UTF-8 locale they are read as
// UTF-8, and bytes that are not valid UTF-8 pass through unchanged.
#pragma once

#include <string>
#include <string_view>

namespace orv {

std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);

// -1, 0 or 1 as `a` sorts before, equal to or after `b` by the locale's
// collation; texts the collation finds equal but that differ in their bytes
// are ordered by their bytes.
int AnsiCompareStr(std::string_view a, std::string_view b);
// The same after both texts are turned into upper case; 0 when they collate
// equal.
int AnsiCompareText(std::string_view a, std::string_view b);

}  // namespace orv
