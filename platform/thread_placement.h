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
// it runs on now. Does nothing when fewer than two may be used or the
// system refuses: a helper bound this way must never be needed for
// progress, since it may wait while the caller's processor is free.
void KeepOffCallersProcessor(std::thread& helper);

}  // namespace orv
