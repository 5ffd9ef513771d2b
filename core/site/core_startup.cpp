#include "core/site/core_startup.h"

#include "core/lib/classes_library.h"
#include "core/lib/image_info.h"
#include "core/lib/script_runners.h"
#include "core/lib/sys_library.h"
#include "core/lib/sysutils_library.h"
#include "core/script/engine.h"
#include "core/script/kel_comp.h"
#include "core/site/site_routines.h"

namespace orv {

namespace {
int startup_count = 0;
}

void CoreStartup() {
  if (startup_count++ > 0) return;
  EngineStartup();
  RegisterClassesLibrary();
  RegisterSysLibrary();
  RegisterSysUtilsLibrary();
  RegisterImageInfoLibrary();
  RegisterSiteRoutines();
  SetScriptFileRunner([](const std::string& file) {
    Variant result;
    RunScriptFile(file, nullptr, result);
    return result;
  });
}

void CoreShutdown() {
  if (startup_count == 0 || --startup_count > 0) return;
  SetScriptFileRunner(nullptr);
  EngineShutdown();
}

}  // namespace orv
