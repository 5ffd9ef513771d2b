#include "core/site/core_startup.h"

#include "core/host/host_startup.h"
#include "core/site/site_routines.h"

namespace orv {

namespace {
int startup_count = 0;
}

void CoreStartup() {
  if (startup_count++ > 0) return;
  HostStartup();
  RegisterSiteRoutines();
}

void CoreShutdown() {
  if (startup_count == 0 || --startup_count > 0) return;
  HostShutdown();
}

}  // namespace orv
