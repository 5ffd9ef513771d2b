// What the editor reads from orvcc's output, and the commands of tools.dat:
// any line is taken apart without failing, and what is found lies in it.
#include <cstdint>
#include <string>

#include "edit/build_output.h"
#include "edit/tool_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const orv::edit::BuildLine parsed = orv::edit::ParseBuildLine(line);
  if (parsed.File.size() > line.size() || parsed.Message.size() > line.size() || parsed.Line < 0) __builtin_trap();
  if (parsed.What == orv::edit::BuildLine::Kind::Progress && parsed.Page < 0) __builtin_trap();
  // The server's address is an http address taken from the line.
  const std::string address = orv::edit::ServedAddress(line);
  if (!address.empty() && (address.rfind("http://", 0) != 0 || line.find(address) == std::string::npos))
    __builtin_trap();
  // A command runs only a program it names, with the current file.
  const orv::edit::ToolAction action = orv::edit::ParseToolCommand(line, "/cur rent.hts");
  if (action.What == orv::edit::ToolAction::Kind::RunProgram && action.Target.empty()) __builtin_trap();
  return 0;
}
