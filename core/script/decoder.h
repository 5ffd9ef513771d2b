// The decoder: turns the instructions of a loaded program image into the
// form the runner executes (TDecodedItem): every field checked against its
// table, jumps resolved to their target instructions, slot numbers made
// byte offsets, and frequent sequences of instructions fused into one
// handler (the superinstructions of handlers.h).
#pragma once

#include <vector>

#include "core/script/program_image.h"

namespace orv {

// code.size() + 1 decoded instructions; the last one is the kFaultEnd guard.
// An instruction with a bad field gets the fault handler that reports it.
std::vector<TDecodedItem> DecodeProgram(const std::vector<Variant>& constants, const std::vector<TProgItem>& code,
                                        const std::vector<int32_t>& labels);

}  // namespace orv
