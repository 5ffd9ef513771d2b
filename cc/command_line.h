// The command line of ORV's small programs: options anywhere before "--",
// --help and --version answered at once, and the operands in order.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace orv {

// What a program was asked to do.
struct CommandLine {
  std::vector<std::string> options;   // the program's own options, as given
  std::vector<std::string> operands;  // everything else, in order
  // Options that take a value, with the value ("--name VALUE" or
  // "--name=VALUE"); the last one given counts.
  std::map<std::string, std::string> values;

  bool Has(const std::string& option) const;
};

// Reads argv. -h/--help prints `help` to standard output and -V/--version
// prints "<program> <version>"; both set `exit_status` to 0 and return false.
// An option that is not one of `known` is reported through `fail` and sets
// `exit_status` to 2; so does an option of `with_value` given no value.
// Returns true when the program should go on.
bool ParseCommandLine(int argc, char** argv, const std::string& program, const char* help,
                      const std::vector<std::string>& known,
                      const std::function<void(const std::string&)>& fail, CommandLine& line,
                      int& exit_status, const std::vector<std::string>& with_value = {});

}  // namespace orv
