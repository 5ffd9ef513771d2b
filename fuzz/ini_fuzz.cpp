// INI profile files: any bytes as a file; every section, key and integer is
// read, and one value (the input's first line) is written and must read back
// exactly as it was written; then a whole section of keys taken from the
// input's lines replaces one of the file's and must read back in order.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "scratch_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const orv::fuzz::ScratchPath scratch("orv-ini-fuzz", ".ini");
  const std::string& path = scratch.Path;
  const std::string input(reinterpret_cast<const char*>(data), size);
  orv::WriteFileBytes(path, input);
  orv::TIniFile ini(path);
  for (const std::string& section : ini.ReadSections()) {
    for (const std::string& key : ini.ReadSection(section)) {
      ini.ReadString(section, key, "");
      ini.ReadInteger(section, key, 0);
    }
    ini.ReadSectionValues(section);
  }
  const std::string value = input.substr(0, input.find_first_of("\r\n"));
  try {
    ini.WriteString("fuzz", "key", value);
    if (ini.ReadString("fuzz", "key", "") != value) __builtin_trap();
    if (orv::TIniFile(path).ReadString("fuzz", "key", "") != value) __builtin_trap();
  } catch (const orv::Exception&) {
  }
  std::vector<std::pair<std::string, std::string>> values;
  for (size_t start = 0; start < input.size() && values.size() < 8;) {
    const size_t end = input.find('\n', start);
    const std::string line = input.substr(start, end == std::string::npos ? end : end - start);
    values.emplace_back(line.substr(0, line.find('=')), line.find('=') == std::string::npos ? "" : line.substr(line.find('=') + 1));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const std::vector<std::string> sections = ini.ReadSections();
  const std::string section = sections.empty() ? "fuzz" : sections.front();
  try {
    ini.WriteSectionValues(section, values);
    if (orv::TIniFile(path).ReadSectionValues(section) != values) __builtin_trap();
  } catch (const orv::Exception&) {
  }
  orv::DeleteFile(path);
  return 0;
}
