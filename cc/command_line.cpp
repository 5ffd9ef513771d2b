#include "cc/command_line.h"

#include <algorithm>
#include <cstdio>

#include "platform/version_info.h"

namespace orv {

bool CommandLine::Has(const std::string& option) const {
  return std::find(options.begin(), options.end(), option) != options.end();
}

bool ParseCommandLine(int argc, char** argv, const std::string& program, const char* help,
                      const std::vector<std::string>& known,
                      const std::function<void(const std::string&)>& fail, CommandLine& line,
                      int& exit_status) {
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (options_done || arg.size() < 2 || arg[0] != '-') {
      line.operands.push_back(arg);
    } else if (arg == "--") {
      options_done = true;
    } else if (arg == "-h" || arg == "--help") {
      std::fputs(help, stdout);
      exit_status = 0;
      return false;
    } else if (arg == "-V" || arg == "--version") {
      std::printf("%s %s\n", program.c_str(), ProgramProductVersion().c_str());
      exit_status = 0;
      return false;
    } else if (arg.back() != '=' && std::find(known.begin(), known.end(), arg) != known.end()) {
      line.options.push_back(arg);
    } else if (size_t equals = arg.find('=');
               std::find(known.begin(), known.end(), arg.substr(0, equals) + "=") != known.end()) {
      const std::string name = arg.substr(0, equals);
      if (equals == std::string::npos && i + 1 >= argc) {
        fail(program + ": option " + name + " needs a value (try " + program + " --help)");
        exit_status = 2;
        return false;
      }
      line.options.push_back(name);
      line.values[name] = equals == std::string::npos ? argv[++i] : arg.substr(equals + 1);
    } else {
      fail(program + ": unknown option " + arg + " (try " + program + " --help)");
      exit_status = 2;
      return false;
    }
  }
  return true;
}

namespace {

// `text` as a whole decimal number of at most `max`; false when it is not one.
bool ReadWholeNumber(const std::string& text, uint32_t max, uint32_t& value) {
  if (text.empty() || text.size() > 9) return false;
  uint32_t read = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    read = read * 10 + static_cast<uint32_t>(c - '0');
  }
  if (read > max) return false;
  value = read;
  return true;
}

}  // namespace

bool ParseSeconds(const std::string& program, const std::string& option, const std::string& text,
                  const std::function<void(const std::string&)>& fail, uint32_t& seconds) {
  if (ReadWholeNumber(text, 1000000, seconds)) return true;
  fail(program + ": " + option + " needs a number of seconds, not '" + text + "'");
  return false;
}

bool ParseMebibytes(const std::string& program, const std::string& option, const std::string& text, uint32_t min,
                    const std::function<void(const std::string&)>& fail, uint64_t& bytes) {
  uint32_t mib = 0;
  if (ReadWholeNumber(text, 1u << 20, mib) && mib >= min) {
    bytes = uint64_t{mib} << 20;
    return true;
  }
  fail(program + ": " + option + " needs a whole number of MiB, not '" + text + "'");
  return false;
}

}  // namespace orv
