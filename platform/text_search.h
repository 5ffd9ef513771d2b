// Searching long texts within the limits of a script run. A search takes
// time in proportion to the text's length whatever the pattern (the
// standard library's find may take the product of both lengths), and looks
// at the run's limits (platform/run_limits.h) between stretches of a few
// MiB, so a search that a script asks for ends with the run's error when
// the run's time is up.
#pragma once

#include <cstddef>
#include <string_view>

namespace orv {

// The index of the first occurrence of `pattern` in `text` at or after
// `from`, or std::string_view::npos. An empty pattern is found at `from`
// when `from` <= text.size().
size_t FindText(std::string_view text, std::string_view pattern, size_t from = 0);

}  // namespace orv
