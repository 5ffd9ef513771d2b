// The editor's highlighting: any bytes as a page and as a script file, line
// by line with the state carried over; every line's runs must cover it
// exactly, and a line must style the same from the same state.
#include <cstdint>
#include <string_view>
#include <vector>

#include "edit/syntax.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<orv::edit::StyleRun> runs, again;
  for (orv::edit::Language language : {orv::edit::Language::Page, orv::edit::Language::Script}) {
    int state = orv::edit::InitialState(language);
    for (size_t start = 0; start <= text.size();) {
      const size_t end = text.find('\n', start);
      const std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start + 1);
      runs.clear();
      again.clear();
      const int next = orv::edit::HighlightLine(line, state, language, runs);
      if (orv::edit::HighlightLine(line, state, language, again) != next || again.size() != runs.size())
        __builtin_trap();
      size_t covered = 0;
      for (const orv::edit::StyleRun& run : runs) {
        if (run.Length == 0 || run.Kind >= orv::edit::Style::Count) __builtin_trap();
        covered += run.Length;
      }
      if (covered != line.size()) __builtin_trap();
      state = next;
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
  }
  return 0;
}
