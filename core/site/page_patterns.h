// Page patterns: a [files] entry that holds '*' or '?' stands for every
// file that matches it, in name order.
//
//   src/*.hts         the .hts files directly in src/
//   src/**/*.hts      the .hts files in src/ and in every folder below it
//   src/news/??.hts   two-character names
//   src/**            every file below src/
//
// '*' matches any run of characters within one name, '?' one character (a
// UTF-8 character counts as one), and a path component "**" any number of
// folders, none included. A name that starts with '.' is matched only by a
// pattern component that starts with '.', so "*" and "**" pass over hidden
// files and folders (.git, an editor's .#page.hts). "**" does not follow
// symbolic links to folders (they could lead round in a circle); a folder
// named in the pattern is followed, link or not. Only regular files (or
// links to them) match. Every other character, '[' included, stands for
// itself. Matches are sorted by their paths, byte by byte, so upper case
// comes before lower case, whatever the locale.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Whether a [files] entry is a pattern: it holds '*' or '?'.
bool IsPagePattern(std::string_view entry);

// Whether the file or folder name `name` matches the pattern component
// `pattern` ('*' and '?', with the rule for leading dots).
bool MatchName(std::string_view pattern, std::string_view name);

// The regular files that `pattern` (a path with '/' between its components;
// relative patterns are taken from the current folder) matches, each once,
// sorted byte-wise. Folders that cannot be read are passed over; a pattern
// holding a NUL byte matches nothing.
std::vector<std::string> ExpandPagePattern(const std::string& pattern);

}  // namespace orv
