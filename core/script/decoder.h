// The decoder: turns the instructions of a loaded program image into the
// form the runner executes (TDecodedItem): every field checked against its
// table, slot and constant operands made offsets into the machine's
// registers, jumps resolved to their target instructions, and the handler
// chosen by the kinds of the operands (the immediate forms of handlers.h
// when C is an integer constant).
#pragma once

#include <vector>

#include "core/script/program_image.h"

namespace orv {

// code.size() + 1 decoded instructions; the last one is the kFaultEnd guard.
// An instruction with a bad field (a slot at or past `slots`, say) gets the
// fault handler that reports it. `divisors` receives the divisors the
// immediate forms of div and mod name.
std::vector<TDecodedItem> DecodeProgram(int32_t slots, const std::vector<Variant>& constants,
                                        const std::vector<TProgItem>& code, const std::vector<int32_t>& labels,
                                        std::vector<TDivisor>& divisors);

}  // namespace orv
