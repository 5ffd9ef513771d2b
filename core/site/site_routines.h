// The site compiler's routines for scripts (WriteLn, CurFile, GetVar,
// DefVar, the file and folder routines, InsertImage, InsertImageEx, Ord,
// BuildFile, DelQueue, DeleteFile, ScanF) and the constant MSFrontPage.
// They serve every script the engine runs in the process, not only page
// blocks.
//
// Inside a build they work on the current build (parse_struct.h): WriteLn
// and the image routines append lines to its ScriptOutput. Outside a build
// none of them fails: WriteLn, InsertImage and InsertImageEx hand their line
// to the standalone output (see SetStandaloneOutput; discarded unless a
// program such as orvscript installed one), with no image folder and no
// prefix; GetVar and CurFile give empty text; DefVar, BuildFile and DelQueue
// do nothing.
//
// Paths are taken as written and split at '/'. Ord of an empty text gives
// the text "0"; Ord gives the byte value (0..255) of the first character.
#pragma once

#include <functional>
#include <string>

namespace orv {

// The value of MSFrontPage.
extern const char* const kMSFrontPage;

// Registers the routines, in their fixed order, and MSFrontPage with the
// host registry (the engine must be started).
void RegisterSiteRoutines();

// Where the lines written outside a build go (null: nowhere).
using LineWriter = std::function<void(const std::string& line)>;
void SetStandaloneOutput(LineWriter writer);

}  // namespace orv
