// The passes over one page: the define stage, then the script, variable,
// include and external-program stages, each followed by a nested pass when it
// found markup, with the page's progress steps.
#pragma once

#include "core/site/parse_struct.h"

namespace orv {

// Progress messages sent to the context's NotifyWindow.
constexpr uint32_t BUILD_SETRANGE = 3058;
constexpr uint32_t BUILD_STEP = 3059;
constexpr uint32_t BUILD_RESET = 3060;
constexpr uint32_t BUILD_FILE = 3061;

// Sends BUILD_STEP to the context's window.
void SendBuildStep(const TParseStruct& context);

// Runs one pass (and the nested passes it needs) over context.Page.
// Expansion is bounded: a nested pass deeper than the build's MaxPassDepth is
// not run; instead kNestingLimitComment is put before the first markup left
// in the page, and no further stages run on this page. The same holds once a
// stage stopped at the page-size bound. The caller resets PassDepth and
// LimitReached for every page.
void ProcessPage(TParseStruct& context);

extern const char* const kNestingLimitComment;

}  // namespace orv
