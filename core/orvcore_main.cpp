// Exported entry points of liborvcore.so (declared in include/orv/core.h),
// and the library's load and unload hooks. No exception crosses these
// functions: an error is turned into a result.
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <unordered_set>

#include "core/site/build_driver.h"
#include "core/site/build_report.h"
#include "core/site/core_startup.h"
#include "core/site/incremental_build.h"
#include "core/site/script_stage.h"
#include "orv/core.h"

namespace {

thread_local std::string last_error;

// Shuts the script host down when the library is unloaded, if a build
// started it (CoreStartupOnUse).
struct CoreLifetime {
  ~CoreLifetime() { orv::CoreShutdownStartedOnUse(); }
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
  } catch (const std::bad_alloc&) {
    last_error = "Memory ran out";
  } catch (const std::exception& e) {
    last_error = e.what();
  } catch (...) {
    last_error = "Unknown error";
  }
  if (last_error.empty()) last_error = "Unknown error";
  return 0;
}

extern "C" const char* orv_core_last_error(void) { return last_error.c_str(); }

extern "C" int orv_core_set_limit(const char* Name, long long Value) {
  std::string name = Name ? Name : "";
  orv::ExpansionLimits& limits = orv::DefaultExpansionLimits();
  if (name == "command-timeout" && Value >= 0 && Value <= 24 * 3600 * 365) {
    limits.CommandTimeoutSeconds = static_cast<int>(Value);
    return 1;
  }
  if (name == "script-timeout" && Value >= 0 && Value <= 24 * 3600 * 365) {
    orv::SetPageScriptTimeLimit(static_cast<uint32_t>(Value));
    return 1;
  }
  if (name == "script-memory-bytes" && Value >= 0 && Value <= (1LL << 50)) {
    orv::SetPageScriptMemoryLimit(static_cast<uint64_t>(Value));
    return 1;
  }
  if (name == "strict" && (Value == 0 || Value == 1)) {
    orv::SetStrictBuildDefault(Value == 1);
    return 1;
  }
  if (name == "watch" && (Value == 0 || Value == 1)) {
    orv::SetWatchingBuilds(Value == 1);
    return 1;
  }
  if (name == "incremental" && (Value == 0 || Value == 1)) {
    orv::SetIncrementalBuildDefault(Value == 1);
    return 1;
  }
  if (name == "max-page-bytes" && Value >= 4096 && Value <= (1LL << 40)) {
    limits.MaxPageBytes = static_cast<size_t>(Value);
    return 1;
  }
  return 0;
}

extern "C" void orv_core_last_counts(OrvBuildCounts* Counts) {
  if (!Counts) return;
  const orv::BuildCounts& counts = orv::LastBuildCounts();
  *Counts = OrvBuildCounts{counts.Built, counts.UpToDate, counts.StaticCopied, counts.StaticRemoved};
}

extern "C" void orv_core_last_inputs(OrvInputProc Input, void* User) {
  if (!Input) return;
  for (const auto& [path, kind] : orv::LastBuildInputs()) Input(path.c_str(), kind, User);
}

extern "C" unsigned long long orv_core_last_inputs_id(void) { return orv::LastBuildInputsId(); }

extern "C" void orv_core_vouch(const char* const* Changed, long long Count) {
  try {
    if (Count < 0 || (Count > 0 && !Changed)) {
      orv::VouchNothing();
      return;
    }
    std::unordered_set<std::string> changed;
    for (long long i = 0; i < Count; ++i)
      if (Changed[i]) changed.insert(Changed[i]);
    orv::VouchUnchanged(std::move(changed));
  } catch (...) {
    orv::VouchNothing();
  }
}

extern "C" void orv_core_set_report(OrvReportProc Report, void* User) { orv::SetReportSink(Report, User); }

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
