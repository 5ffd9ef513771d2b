// Include and variable loops: a file included, or a variable expanded,
// inside text that it brought into the page itself. Such a page expands
// until a bound stops it (docs/architecture.md); the loop is reported once
// per page, when it is first seen, at the markup that closes it, with the
// short chain of what brought that markup in:
//
//   /site/src/self.hsn:1: warning: include loop: contact.hts → self.hsn → self.hsn
//   /site/src/contact.hts:3: note: included from here
//
// Finding a loop walks the page's edits (PageOrigins::Enclosing), so it is
// done only when an include or variable has been expanded 4, 8, 16, ...
// times in the page, and no more once a page's checks have looked at
// kLoopCheckBudget edits in all. An include of the page's own file is a
// loop at once.
#pragma once

#include <cstddef>
#include <string>

#include "core/site/parse_struct.h"
#include "platform/user_settings.h"

namespace orv {

inline constexpr size_t kLoopCheckBudget = size_t{1} << 24;

// Counts an include of the text file `path` (an expansion of `variable`) at
// the page's current markup (Origins.MarkupAt()) and reports the loop it
// closes. Called before the markup's replacement is recorded.
void WatchIncludeLoop(TParseStruct& context, const std::string& path);
void WatchVariableLoop(TParseStruct& context, const TUserSetting& variable);

}  // namespace orv
