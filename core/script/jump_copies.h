// Jumps to jumps, shortened once the code of a program is complete: a goto
// whose target is another goto goes straight to where that one goes, and a
// goto whose target is a conditional jump or a for loop's step is replaced
// by a copy of that instruction, followed by a goto to the instruction after
// it for when the copy does not jump. A round of a loop whose body ends in
// `if ... else` then takes one instruction fewer, and no path takes more.
#pragma once

#include <vector>

#include "core/script/code_buffer.h"

namespace orv {

struct TIDLabelItem;

// Rewrites `code`, whose jumps name entries of `labels`, moving the targets
// of the labels with the instructions and adding labels of its own.
void CopyJumpTargets(TCodeBuffer& code, std::vector<TIDLabelItem>& labels);

}  // namespace orv
