// What an entry of the Tools menu does with its command (the value in
// tools.dat): open an address in the browser, open a file with the
// desktop's program for it, or run a program with its parameters and the
// current document's file.
#pragma once

#include <string>
#include <vector>

namespace orv::edit {

// The action of one command.
struct ToolAction {
  enum class Kind { OpenAddress, OpenFile, RunProgram, Nothing };
  Kind What = Kind::Nothing;
  std::string Target;                  // the address, the file or the program
  std::vector<std::string> Arguments;  // RunProgram only
};

// Reads `command`:
// - an address ("scheme://...", "mailto:...") opens in the browser;
// - the name of an existing file that is not executable (spaces and all)
//   opens with the desktop's program for it;
// - otherwise the first word is the program and the others its parameters,
//   words split at blanks outside "double" or 'single' quotes. Each "%f" in
//   a parameter becomes `current_file`; without one, `current_file` (when
//   there is one) is added as the last parameter.
// An empty command does nothing.
ToolAction ParseToolCommand(const std::string& command, const std::string& current_file);

}  // namespace orv::edit
