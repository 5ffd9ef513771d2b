// What orvcc writes while it builds, read line by line: the page it is
// building ("Compiling PAGE (N of M)") and its reports ("PLACE: warning:
// MESSAGE", with PLACE a file and maybe ":LINE"); and the address orvcc
// --serve listens on.
#pragma once

#include <string>
#include <string_view>

namespace orv::edit {

// One line of a build's output.
struct BuildLine {
  enum class Kind { Progress, Warning, Note, Error, Other };
  Kind What = Kind::Other;
  std::string File;     // the page being built, or the report's file
  int Line = 0;         // the report's line; 0 when it names none
  int Page = 0;         // Progress: this page's number, from 1
  int Pages = 0;        // Progress: how many pages the build has
  std::string Message;  // the report's message, or the whole line for Other
};

// Reads one line (without its line break).
BuildLine ParseBuildLine(std::string_view line);

// The address in orvcc --serve's line "orvcc: serving FOLDER at
// http://HOST:PORT/ (Ctrl-C to stop)" ("http://HOST:PORT/"); empty for any
// other line.
std::string ServedAddress(std::string_view line);

}  // namespace orv::edit
