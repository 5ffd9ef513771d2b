// Exported entry points of liborvcore.so (declared in include/orv/core.h),
// and the library's load and unload hooks. No exception crosses these
// functions: an error is turned into a result.
#include <cstring>
#include <exception>
#include <string>

#include "core/site/build_driver.h"
#include "core/site/core_startup.h"
#include "core/site/script_stage.h"
#include "orv/core.h"

namespace {

thread_local std::string last_error;

// Starts the script engine with the script library and the site compiler's
// routines when the library is loaded, and shuts it down when it is unloaded.
// A failure here leaves the engine as far as it got; the first script that
// needs a missing part then reports it.
struct CoreLifetime {
  CoreLifetime() {
    try {
      orv::CoreStartup();
    } catch (...) {
    }
  }
  ~CoreLifetime() { orv::CoreShutdown(); }
};
const CoreLifetime core_lifetime;

}  // namespace

extern "C" int ProcessProject(const char* ProjectFile, const char* SingleFile, HWND NotifyWindow,
                              int32_t, int32_t Preview) {
  last_error.clear();
  try {
    orv::ProcessProject(ProjectFile ? ProjectFile : "", SingleFile ? SingleFile : "", NotifyWindow,
                        Preview != 0);
    return 1;
  } catch (const std::exception& e) {
    last_error = e.what();
  } catch (...) {
    last_error = "Unknown error";
  }
  if (last_error.empty()) last_error = "Unknown error";
  return 0;
}

extern "C" const char* orv_core_last_error(void) { return last_error.c_str(); }

extern "C" void orv_set_script_timeout(int32_t Seconds) {
  orv::SetPageScriptTimeLimit(Seconds > 0 ? static_cast<uint32_t>(Seconds) : 0);
}

extern "C" size_t DoPathEx(const char*, const char* Folder, const char* SourceRoot, char* Result,
                           size_t ResultSize) {
  std::string relative;
  try {
    relative = orv::DoPathEx(Folder ? Folder : "", SourceRoot ? SourceRoot : "");
  } catch (...) {
    relative.clear();
  }
  if (Result && ResultSize > 0) {
    size_t n = relative.size() < ResultSize - 1 ? relative.size() : ResultSize - 1;
    std::memcpy(Result, relative.data(), n);
    Result[n] = '\0';
  }
  return relative.size();
}
