// The define stage: "{$DEFINE type="NAME" value="text"}" lines become page
// defines (kept for the rest of the build) and are removed; disabled
// "{.$DEFINE ...}" lines are removed; then every define's name in the page is
// replaced by its value.
#pragma once

#include <string>

#include "core/site/parse_struct.h"

namespace orv {

// The value of the attribute `key` (which ends in `="`, as in `type="`) in a
// define's body: the text from after the key to the next double quote. The
// key is first found without regard to case; when it occurs again (exact
// case, searched from one character before that quote), the last occurrence
// counts. A missing key or closing quote gives an empty value.
std::string GetAttr(const std::string& body, const std::string& key);

// Runs the stage on the context's page. Define replacement: for each define in
// list order, the first occurrence of its name is searched without regard to
// case, later ones with exact case; each search resumes right after the
// inserted value, so a value holding its own name cannot loop, and every
// occurrence in the page before the stage is replaced. A "?" in a name matches
// any character; an empty name matches nothing.
// A define line identical in name and value to a define already in the list
// (the same define in every page of a site) is not added again, so the list
// and the cost of the replacement do not grow with the number of pages.
// A replacement that would make the page longer than the build's
// MaxPageBytes is not made: kPageTooLargeComment goes where it would have
// been, no further replacements are made, and the page's LimitReached is
// set (so no further stage runs on it).
// The stage finds its lines by looking only where a '{' is; the page text
// stays in line form. With many defines it replaces only those whose name
// one scan of the page (DefineNameFinder) finds, with the same result. A
// "{$DEFINE" or "{.$DEFINE" line without its "}" stays and is a warning
// (once per page).
void DefineStage(TParseStruct& context);

}  // namespace orv
