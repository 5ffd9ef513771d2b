// Running a command through the command interpreter and capturing what it
// prints: the stand-in for a hidden command-interpreter process.
#pragma once

#include <cstddef>
#include <string>

namespace orv {

// How a command run ended.
enum class CommandOutcome {
  Done,      // it ran; `output` holds what it printed
  Failed,    // it could not be started, or its output grew too large
  TimedOut,  // it ran longer than the time limit and was ended
};

// At most this much of what a command writes on standard error is kept.
inline constexpr size_t kMaxCommandErrorBytes = 64 << 10;

// The details of how a command run ended, for telling the user.
struct CommandStatus {
  int Error = 0;        // errno when the shell could not be started
  int ExitStatus = 0;   // the shell's exit status when it exited
  int Signal = 0;       // the signal that ended the shell, or 0
  bool Overflow = false;  // its output grew beyond the bound
  // What it wrote on standard error: the first kMaxCommandErrorBytes bytes,
  // and whether there was more.
  std::string ErrorOutput;
  bool ErrorOutputCut = false;
};

// Runs `command` with /bin/sh -c in `folder` (the current folder when it is
// empty; Failed when it cannot be entered), in a process group
// of its own, with standard input from /dev/null, standard output read
// through a pipe into `output`, and standard error read through a pipe of
// its own into status->ErrorOutput: nothing it starts holds the caller's
// standard error.
//
// Failed: the shell could not be run, or it reported that the command was
// not found or not executable (exit status 127 or 126), or the output grew
// beyond `max_output` bytes (the process group is then killed). Other exit
// statuses count as success: what the command printed is the result.
//
// The read ends when the shell has exited and the output it wrote is read;
// then whatever is left of its process group (background jobs it started)
// is killed, so nothing outlives the command.
// TimedOut: the shell had not exited after `timeout_seconds` (0: no limit);
// its whole process group is killed.
// `status`, when given, receives the details.
CommandOutcome RunCommand(const std::string& command, std::string& output, size_t max_output,
                          int timeout_seconds = 0, const std::string& folder = std::string(),
                          CommandStatus* status = nullptr);

}  // namespace orv
