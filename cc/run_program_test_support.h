// Test helper: runs one of ORV's programs as a user runs it, from a shell,
// and collects its exit status and what it wrote to standard output and
// standard error.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "platform/files.h"

namespace orv::test {

// What a program run left behind.
struct Outcome {
  int status;  // exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs `program` with the shell-quoted `args` and standard input from
// /dev/null; its output is caught in files of the folder `scratch` (ending in '/').
inline Outcome RunProgram(const std::string& program, const std::string& args, const std::string& scratch) {
  std::string command =
      "'" + program + "' " + args + " >'" + scratch + "out.txt' 2>'" + scratch + "err.txt' </dev/null";
  int raw = std::system(command.c_str());
  return Outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(scratch + "out.txt"),
                 ReadFileBytes(scratch + "err.txt")};
}

}  // namespace orv::test
