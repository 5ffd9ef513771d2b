// Where the output of the script routines Print and PrintError goes. An
// embedding host may attach line lists (a log window's lines) and a text
// sink; nothing is attached by default, and the two routines then show
// nothing. The attachments are process-wide.
#pragma once

#include <functional>
#include <string>

#include "components/strings.h"

namespace orv {

// Print adds its text as one line to this list; nullptr detaches. The list is
// held by handle, so a list destroyed while attached is simply not written.
void SetPrintLog(TStrings* lines);
TStrings* PrintLog();

// PrintError adds its text as one line to this list.
void SetErrorLog(TStrings* lines);
TStrings* ErrorLog();

// Print hands its text to this function (a text control that shows it, for
// example); an empty function detaches.
void SetPrintControl(std::function<void(const std::string&)> control);
const std::function<void(const std::string&)>& PrintControl();

// Set by every PrintError; false at load. The library never resets it; a host
// may.
bool ErrorFlag();
void SetErrorFlag(bool flag);

}  // namespace orv
