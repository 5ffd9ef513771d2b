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
                      int& exit_status, const std::vector<std::string>& with_value) {
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string name = arg.substr(0, arg.find('='));
    if (!options_done && std::find(with_value.begin(), with_value.end(), name) != with_value.end()) {
      if (name.size() < arg.size()) {
        line.values[name] = arg.substr(name.size() + 1);
      } else if (i + 1 < argc) {
        line.values[name] = argv[++i];
      } else {
        fail(program + ": option " + name + " needs a value (try " + program + " --help)");
        exit_status = 2;
        return false;
      }
      continue;
    }
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
    } else if (std::find(known.begin(), known.end(), arg) != known.end()) {
      line.options.push_back(arg);
    } else {
      fail(program + ": unknown option " + arg + " (try " + program + " --help)");
      exit_status = 2;
      return false;
    }
  }
  return true;
}

}  // namespace orv
