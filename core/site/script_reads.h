// Which page script blocks an incremental build can record: a block whose
// compiled program calls only routines that compute from their arguments,
// or whose reads the build records (GetVar, InsertImage, TStrings.
// LoadFromFile ...) and whose effects it can replay (WriteLn, DefVar,
// BuildFile, DelQueue), gives the same output from the same recorded
// inputs. Any other routine (the clock, dialogs and forms, writing or
// deleting files, running other scripts) makes the page volatile: it is
// built every time.
//
// And which blocks may run while the build's pages are still being
// written, without the build forgetting the files it has read: those whose
// routines change no file and read none but those the build settles first
// (PageWriter::Settle), such as the pictures InsertImage measures and the
// files LoadFromFile reads (build_read_trace.h). Any other block runs only
// once every page given is written (BuildState::OutsideCodeRuns).
#pragma once

#include <string_view>

namespace orv {

class TProgram;

// Whether every routine `program` may call is a recorded routine (IsRecordedRoutine).
bool ReadsAreRecorded(const TProgram& program);

// Whether every routine `program` may call keeps to the build: works on
// values, objects in memory, the build's variables and its output, reads
// the clock, or reads files the build settles first, and changes no file
// (BuildFile and DelQueue only queue their names). Dynamic variables
// (Result and the host's) are values in memory too.
bool KeepsToTheBuild(const TProgram& program);

// The routines (their registry keys, upper case) whose reads are recorded
// or that read nothing outside their arguments.
bool IsRecordedRoutine(std::string_view key);

}  // namespace orv
