// INI profile files: any bytes as a file; every section, key and integer is
// read, and one value (the input's first line) is written and must read back
// exactly as it was written.
#include <unistd.h>

#include <cstdint>
#include <string>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = orv::TempDir() + "orv-ini-fuzz-" + std::to_string(::getpid()) + ".ini";
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
  orv::DeleteFile(path);
  return 0;
}
