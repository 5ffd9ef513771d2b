// libengine.so: the build statistics that the project information dialog
// shows, read from the file the last build left.
#include "orv/engine.h"

#include "platform/build_stats.h"

namespace {

// The counts of the file as it is now; a damaged or missing file reads as 0.
orv::TBuildStats Stats() {
  try {
    return orv::ReadBuildStats(orv::BuildStatsFile());
  } catch (...) {
    return {};
  }
}

}  // namespace

extern "C" {

int32_t TellnmLines(void) { return Stats().Lines; }
int32_t TellnmImages(void) { return Stats().Includes; }
int32_t TellnmVars(void) { return Stats().Variables; }
int32_t TellnmExec(void) { return Stats().Programs; }
int32_t TellnmDB(void) { return Stats().Databases; }

}  // extern "C"
