// Which page script blocks an incremental build can record: a block whose
// compiled program calls only routines that compute from their arguments,
// or whose reads the build records (GetVar, InsertImage, TStrings.
// LoadFromFile ...) and whose effects it can replay (WriteLn, DefVar,
// BuildFile, DelQueue), gives the same output from the same recorded
// inputs. Any other routine (the clock, dialogs and forms, writing or
// deleting files, running other scripts) makes the page volatile: it is
// built every time.
#pragma once

#include <string_view>

namespace orv {

class TProgram;

// Whether every routine `program` may call is a recorded routine (IsRecordedRoutine).
bool ReadsAreRecorded(const TProgram& program);

// The routines (their registry keys, upper case) whose reads are recorded
// or that read nothing outside their arguments.
bool IsRecordedRoutine(std::string_view key);

}  // namespace orv
