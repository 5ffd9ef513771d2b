// The script stage: every "<+ ... +>" block of the page is run by a fresh
// script component (core/host/kel_comp.h) and replaced by the lines it
// writes with WriteLn, each followed by CR LF (nothing when it writes
// nothing). The search for the next block resumes right after the inserted
// output, so output is not run as a block in the same stage; the nested pass
// that follows (Rescan) expands whatever markup it holds.
//
// A block is a whole program ("begin WriteLn('x') end.", with declarations
// before it if need be) or, when its first word is a statement's, the
// statements of the main block alone ("<+ WriteLn('x'); +>"), which run as if
// written between "begin" and "end.". An empty block writes nothing.
//
// Blocks share no script variables, only the build reachable through the
// site routines. A block that fails to compile or run ends the stage: the
// error leaves it as ECompilerError "<file>:<line>: <message>", the file and
// line where the failing statement (or the compile error) stands: the line
// of the block's "<+" in the page (or in the included file that holds the
// block) plus the line within the block, less one. An opening "<+" with no
// "+>" after it is left in the page as text, ends the stage and is a
// warning (ReportUnclosed). Output that would make the page
// larger than the build's MaxPageBytes is not inserted: the page-size
// comment takes its place before that block, and expansion of the page ends.
//
// Within a build, each block text is compiled once (BuildState::ScriptCache,
// unless CacheScripts is off); every run starts with fresh slots.
//
// Each block runs under the time limit PageScriptTimeLimit (60 seconds
// unless set; 0: none): a block still running then fails as any block does,
// "<file>:<line>: Script ran longer than N seconds (line L)", L counted
// within the block; and under the memory budget PageScriptMemoryLimit (512
// MiB unless set; 0: none): a block whose run makes the process grow by more
// fails with "<file>:<line>: Memory ran out while running the script".
#pragma once

#include <cstdint>

#include "core/site/parse_struct.h"

namespace orv {

void ScriptStage(TParseStruct& context);

// The time limit of each page block, in seconds, for the builds of this
// process (orvcc --script-timeout).
uint32_t PageScriptTimeLimit();
void SetPageScriptTimeLimit(uint32_t seconds);
// The memory budget of each page block, in bytes (orvcc --script-memory).
uint64_t PageScriptMemoryLimit();
void SetPageScriptMemoryLimit(uint64_t bytes);

}  // namespace orv
