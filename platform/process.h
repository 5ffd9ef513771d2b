// Running a command through the command interpreter and capturing what it
// prints: the stand-in for a hidden command-interpreter process.
#pragma once

#include <cstddef>
#include <string>

namespace orv {

// Runs `command` with /bin/sh -c in the current folder, with standard input
// from /dev/null, standard output read through a pipe into `output`, and
// standard error left to the caller's. Waits for the command to end.
//
// Returns false when the command could not be started: the shell could not
// be run, or it reported that the command was not found or not executable
// (exit status 127 or 126), or the output grew beyond `max_output` bytes (the
// command is then killed). Other exit statuses count as success: what the
// command printed is the result.
bool RunCommand(const std::string& command, std::string& output, size_t max_output);

}  // namespace orv
