#include "platform/thread_placement.h"

#include <pthread.h>
#include <sched.h>

namespace orv {

int KeepOffCallersProcessor(std::thread& helper, int kept_off) {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  // A machine with more processors than cpu_set_t holds fails here: the
  // helper is then left where the system puts it.
  if (kept_off < 0) {
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0 || CPU_COUNT(&allowed) < 2) return -1;
  } else {
    if (kept_off >= CPU_SETSIZE ||
        pthread_getaffinity_np(helper.native_handle(), sizeof allowed, &allowed) != 0)
      return -1;
    CPU_SET(kept_off, &allowed);
  }
  const int here = sched_getcpu();
  if (here < 0 || here >= CPU_SETSIZE || (kept_off < 0 && !CPU_ISSET(here, &allowed))) return -1;
  CPU_CLR(here, &allowed);
  return pthread_setaffinity_np(helper.native_handle(), sizeof allowed, &allowed) == 0 ? here : -1;
}

}  // namespace orv
