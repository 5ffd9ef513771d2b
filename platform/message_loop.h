// The process's message loop: one place that waits for work and runs it.
// Work is posted window messages (platform/window.h), timers, watched file
// descriptors (sockets), a wake-up from another thread, and a list of hooks
// that run after every pass. WaitMessages sleeps until one of them is ready.
// When a GUI toolkit runs its own event loop (Qt, in liborvcontrols.so), it
// installs a LoopIntegration: the toolkit then watches the same sources with
// its own timers and socket notifiers and calls DispatchPendingMessages, so a
// modal dialog, a build and a socket are all served by one loop.
//
// Timers, watches, hooks and waiting belong to the thread that runs the loop;
// PostMessage and WakeMessageLoop may be called from any thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace orv {

// Identifies a timer, a watch or a hook; 0 is never handed out.
using LoopId = uint64_t;

// Which readiness of a descriptor a watch waits for, or was seen (a bit set).
enum class Readiness : unsigned { None = 0, Read = 1, Write = 2, ReadWrite = 3 };

constexpr Readiness operator|(Readiness a, Readiness b) {
  return static_cast<Readiness>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr Readiness operator&(Readiness a, Readiness b) {
  return static_cast<Readiness>(static_cast<unsigned>(a) & static_cast<unsigned>(b));
}
constexpr bool Has(Readiness set, Readiness wanted) { return (set & wanted) != Readiness::None; }

// Starts a timer that calls `callback` every `interval` (the first time one
// interval from now) until RemoveTimer. A callback may add or remove timers,
// itself included.
LoopId AddTimer(std::chrono::milliseconds interval, std::function<void()> callback);
// Stops a timer; an unknown id does nothing.
void RemoveTimer(LoopId timer);

// Watches descriptor `fd`: `callback` gets what was seen each time the
// descriptor is ready for one of `events`. An error or a hang-up on the
// descriptor is reported as both Read and Write, so the owner's next read or
// write sees it. The watch does not own the descriptor.
LoopId WatchDescriptor(int fd, Readiness events, std::function<void(Readiness)> callback);
// Changes what a watch waits for (None pauses it); an unknown id does nothing.
void SetWatchEvents(LoopId watch, Readiness events);
// Ends a watch; an unknown id does nothing. Safe inside the watch's callback.
void RemoveWatch(LoopId watch);

// Makes a WaitMessages that is sleeping (on any thread's behalf) return.
// Safe from any thread; PostMessage calls it.
void WakeMessageLoop();

// Adds a function that runs after every pass of the loop (ProcessMessages and
// each WaitMessages that handled something).
LoopId AddMessageHook(std::function<void()> hook);
void RemoveMessageHook(LoopId hook);

// Handles everything that is ready now without waiting: the posted messages
// (and those posted meanwhile), the timers that are due and the descriptors
// that are ready, then the hooks. True when a message, timer or descriptor
// (or a wake-up) was handled. `woken`: the caller saw the wake-up
// descriptor readable (otherwise it is read only when a wake-up was made
// since the last look, which spares a loop that pumps often a system call
// each time).
bool DispatchPendingMessages(bool woken = false);

// Waits at most `timeout` (forever when negative) until something is ready,
// and handles it as DispatchPendingMessages does. True when something was
// handled, false when the time ran out. With a toolkit's loop installed, its
// own events (windows, paints, its timers) are handled at least every 20 ms
// however busy ORV's sources keep the loop.
bool WaitMessages(std::chrono::milliseconds timeout);

// What an outside event loop must watch to serve ORV's loop.
struct LoopSources {
  struct Watch {
    int fd;
    Readiness events;
  };
  int wake_fd;                      // readable after a post or a wake-up
  std::vector<Watch> watches;       // every watched descriptor with events
  std::optional<std::chrono::milliseconds> next_timer;  // time to the next due timer
};

// The sources to watch right now.
LoopSources CurrentLoopSources();

// A toolkit's event loop that serves ORV's loop. It watches CurrentLoopSources
// and calls DispatchPendingMessages when any of them is ready.
class LoopIntegration {
 public:
  virtual ~LoopIntegration() = default;
  // The sources changed (a timer or watch was added, changed or removed);
  // called on the loop's thread.
  virtual void SourcesChanged() = 0;
  // Runs the toolkit's loop until something was handled or `timeout` passed
  // (forever when negative); returns whether something was handled.
  virtual bool Wait(std::chrono::milliseconds timeout) = 0;
  // Handles the toolkit's own pending events without waiting.
  virtual void ProcessPendingEvents() = 0;
};

// Installs the integration (null goes back to ORV's own poll loop). The
// caller keeps it alive while it is installed.
void SetLoopIntegration(LoopIntegration* integration);

}  // namespace orv
