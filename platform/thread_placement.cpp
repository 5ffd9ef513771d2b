#include "platform/thread_placement.h"

#include <pthread.h>
#include <sched.h>

namespace orv {

void KeepOffCallersProcessor(std::thread& helper) {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  // A machine with more processors than cpu_set_t holds fails here: the
  // helper is then left where the system puts it.
  if (sched_getaffinity(0, sizeof allowed, &allowed) != 0 || CPU_COUNT(&allowed) < 2) return;
  const int here = sched_getcpu();
  if (here < 0 || here >= CPU_SETSIZE || !CPU_ISSET(here, &allowed)) return;
  CPU_CLR(here, &allowed);
  pthread_setaffinity_np(helper.native_handle(), sizeof allowed, &allowed);
}

}  // namespace orv
