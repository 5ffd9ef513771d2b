#include "platform/version_info.h"

#include <dlfcn.h>

#include "orv/version.h"

namespace orv {

// The record exported by the main program; libraries never define it, and a
// lookup through the main program's handle only finds it there or in what the
// program itself links.
static const OrvVersionRecord* ProgramRecord() {
  void* self = ::dlopen(nullptr, RTLD_LAZY);
  if (!self) return nullptr;
  auto* record = static_cast<const OrvVersionRecord*>(::dlsym(self, ORV_VERSION_RECORD_SYMBOL));
  ::dlclose(self);
  return record;
}

static std::string Field(const char* OrvVersionRecord::*field) {
  const OrvVersionRecord* record = ProgramRecord();
  if (!record) return "0.0.0.0";
  const char* text = record->*field;
  return text ? text : "";
}

std::string ProgramFileVersion() { return Field(&OrvVersionRecord::FileVersion); }

std::string ProgramProductVersion() { return Field(&OrvVersionRecord::ProductVersion); }

}  // namespace orv
