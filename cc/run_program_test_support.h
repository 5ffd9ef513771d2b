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

// RunProgram for a program that must end by itself: one still running
// after `seconds` is stopped (status 124, or 137 when it ignores SIGTERM)
// so that a hang fails its test rather than stopping the suite. `program`
// runs with `env` before it ("-u DISPLAY", "QT_QPA_PLATFORM=offscreen").
inline Outcome RunProgramWithin(int seconds, const std::string& env, const std::string& program,
                                const std::string& args, const std::string& scratch) {
  return RunProgram("/usr/bin/timeout",
                    "-k 10 " + std::to_string(seconds) + " /usr/bin/env " + env + " '" + program + "' " + args,
                    scratch);
}

// The environment options of RunProgramWithin that leave a program without
// a display.
inline constexpr const char* kNoDisplay = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";

}  // namespace orv::test
