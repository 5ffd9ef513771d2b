#include "core/host/host_startup.h"

#include "core/host/class_bindings.h"
#include "core/host/kel_comp.h"
#include "core/host/kel_event.h"
#include "core/host/script_form.h"
#include "core/lib/classes_library.h"
#include "core/lib/image_info.h"
#include "core/lib/script_runners.h"
#include "core/lib/sys_library.h"
#include "core/lib/sysutils_library.h"
#include "core/script/engine.h"

namespace orv {

namespace {
int startup_count = 0;
}

void HostStartup() {
  if (startup_count++ > 0) return;
  EngineStartup();
  RegisterClassesLibrary();
  RegisterVisualClassBindings();
  RegisterControlsLibrary();
  RegisterDialogsLibrary();
  RegisterExtraControlsLibrary();
  RegisterFormsLibrary();
  RegisterStandardControlsLibrary();
  RegisterSysLibrary();
  RegisterSysUtilsLibrary();
  RegisterImageInfoLibrary();
  RegisterKelCompClass();
  RegisterKelEventClass();
  SetScriptFormRunner([](const std::string& file) { ShowScriptForm(file); });
  SetScriptFileRunner([](const std::string& file) {
    Variant result;
    RunScriptFile(file, nullptr, result);
    return result;
  });
}

void HostShutdown() {
  if (startup_count == 0 || --startup_count > 0) return;
  // The forms' scripts and bindings need the engine: they go first.
  FreeScriptForms();
  SetScriptFormRunner(nullptr);
  SetScriptFileRunner(nullptr);
  EngineShutdown();
}

}  // namespace orv
