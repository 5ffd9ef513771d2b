// The passes over one page: the define stage, then the script, variable,
// include and external-program stages, each followed by a nested pass when it
// found markup, with the page's progress steps.
#pragma once

#include <string_view>

#include "core/site/parse_struct.h"

namespace orv {

// The progress steps of a page that one pass expands: one before the passes,
// one at the start of the pass, one at the step point of each stage, one
// after the page is written.
constexpr int kStepsPerPage = 1 + 1 + static_cast<int>(kPageStageCount) + 1;

// Runs one pass (and the nested passes it needs) over context.Page.
// Expansion is bounded: a nested pass deeper than the build's MaxPassDepth is
// not run; instead kNestingLimitComment is put before the first markup left
// in the page, and no further stages run on this page. The same holds once a
// stage stopped at the page-size bound. The caller starts every page with
// TPageState::Start.
//
// A pass over a page that holds no opening delimiter of a switched-on stage
// cannot change it after its define stage: its stages are not run, but its
// step points still send their steps, so the progress is the same.
void ProcessPage(TParseStruct& context);

// The position of the first opening delimiter ("<+", "<%", "<&", "<*") of a
// stage that is switched on, or std::string_view::npos.
size_t FirstOpener(std::string_view text, const TProjectSettings& settings);

extern const char* const kNestingLimitComment;

}  // namespace orv
