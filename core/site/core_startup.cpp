#include "core/site/core_startup.h"

#include <atomic>
#include <mutex>

#include "core/host/host_startup.h"
#include "core/site/site_routines.h"

namespace orv {

namespace {

std::mutex startup_mutex;
int startup_count = 0;             // guarded by startup_mutex
bool started_on_use = false;       // guarded by startup_mutex
std::atomic<bool> running{false};  // startup_count > 0

// CoreStartup with the mutex held. The host counts as running once every
// part is registered, or once a part failed: a script that needs the
// missing part then reports it.
void Start() {
  if (startup_count++ > 0) return;
  try {
    HostStartup();
    RegisterSiteRoutines();
  } catch (...) {
    running.store(true, std::memory_order_release);
    throw;
  }
  running.store(true, std::memory_order_release);
}

// CoreShutdown with the mutex held.
void Stop() {
  if (startup_count == 0 || --startup_count > 0) return;
  running.store(false, std::memory_order_release);
  HostShutdown();
}

}  // namespace

void CoreStartup() {
  std::lock_guard lock(startup_mutex);
  Start();
}

void CoreShutdown() {
  std::lock_guard lock(startup_mutex);
  Stop();
}

void CoreStartupOnUse() {
  if (running.load(std::memory_order_acquire)) return;
  std::lock_guard lock(startup_mutex);
  if (startup_count > 0) return;
  started_on_use = true;
  Start();
}

void CoreShutdownStartedOnUse() {
  std::lock_guard lock(startup_mutex);
  if (!started_on_use) return;
  started_on_use = false;
  Stop();
}

}  // namespace orv
