// Where a helper thread runs: kept off the processor of the thread that
// hands it work, so the two run side by side.
//
// Linux places a thread that another wakes near its waker and looks for an
// idle processor only among those that share its cache. On a machine that
// reports no shared cache (as many virtual machines do) the helper may wait
// behind the busy waker for milliseconds while another processor idles.
// Binding the helper to the other processors the process may use keeps the
// pair apart; the waker itself stays free to move.
#pragma once

#include <thread>

namespace orv {

// Binds `helper` to the processors the calling thread may use, less the one
// it runs on now, and returns that one. Does nothing, and returns -1, when
// fewer than two may be used or the system refuses: a helper bound this way
// must never be needed for progress, since it may wait while the caller's
// processor is free.
//
// The caller is not bound, and the system may move it onto the helper's
// processor, where the two then take turns while another processor idles.
// So a caller that hands work over often calls this again when
// sched_getcpu() is no longer the processor the last call returned, passing
// that one as `kept_off`: the helper is given it back and loses the
// caller's present one, among the processors it was first given.
int KeepOffCallersProcessor(std::thread& helper, int kept_off = -1);

}  // namespace orv
