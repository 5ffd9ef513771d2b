// The command line of ORV's small programs: options anywhere before "--",
// --help and --version answered at once, and the operands in order.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace orv {

// What a program was asked to do.
struct CommandLine {
  std::vector<std::string> options;   // the program's own options, as given
  std::vector<std::string> operands;  // everything else, in order
  // Values of the options that take one, by option ("--timeout"); the last
  // one given counts.
  std::map<std::string, std::string> values;

  bool Has(const std::string& option) const;
};

// Reads argv. -h/--help prints `help` to standard output and -V/--version
// prints "<program> <version>"; both set `exit_status` to 0 and return false.
// An option that is not one of `known` is reported through `fail` and sets
// `exit_status` to 2. An entry of `known` that ends with "=" ("--timeout=")
// takes a value, written "--timeout 5" or "--timeout=5"; a missing value is
// reported the same way. Returns true when the program should go on.
bool ParseCommandLine(int argc, char** argv, const std::string& program, const char* help,
                      const std::vector<std::string>& known,
                      const std::function<void(const std::string&)>& fail, CommandLine& line,
                      int& exit_status);

// Reads a count of seconds given as the value of `option`: decimal digits,
// at most 1000000. Otherwise reports "<program>: <option> needs a number of
// seconds, not '<text>'" through `fail` and returns false.
bool ParseSeconds(const std::string& program, const std::string& option, const std::string& text,
                  const std::function<void(const std::string&)>& fail, uint32_t& seconds);

// Reads a size in MiB given as the value of `option`: decimal digits, from
// `min` to 1048576 (1 TiB), into `bytes`. Otherwise reports "<program>:
// <option> needs a whole number of MiB, not '<text>'" through `fail` and
// returns false.
bool ParseMebibytes(const std::string& program, const std::string& option, const std::string& text, uint32_t min,
                    const std::function<void(const std::string&)>& fail, uint64_t& bytes);

}  // namespace orv
