#include "platform/message_loop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "orv/window.h"
#include "platform/posted_messages.h"

namespace orv {
namespace {

using Clock = std::chrono::steady_clock;

struct Timer {
  std::chrono::milliseconds interval;
  Clock::time_point due;
  std::shared_ptr<std::function<void()>> callback;
};

struct Watch {
  int fd;
  Readiness events;
  std::shared_ptr<std::function<void(Readiness)>> callback;
};

// The loop's sources. Callbacks are held by shared pointers, so one that
// removes itself while it runs stays alive until it returns.
struct Loop {
  std::mutex lock;
  LoopId next_id = 1;
  std::map<LoopId, Timer> timers;
  std::map<LoopId, Watch> watches;
  std::map<LoopId, std::shared_ptr<std::function<void()>>> hooks;
  // The sizes of the three maps, kept beside them (under the lock) so that
  // processing messages skips, without the lock, the sources there are none
  // of: a build processes messages several times a page.
  std::atomic<size_t> timer_count{0};
  std::atomic<size_t> watch_count{0};
  std::atomic<size_t> hook_count{0};
  LoopIntegration* integration = nullptr;
  int wake_fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  // Set after each write to wake_fd, so that processing messages reads the
  // descriptor only when it was written (a build processes messages several
  // times a page, and a read of an empty descriptor is a system call too).
  std::atomic<bool> woken{false};
  // When the toolkit's loop last handled its own events (loop thread only).
  Clock::time_point toolkit_turn;
};

// The longest the toolkit waits for its turn while ORV's sources keep the
// loop busy.
constexpr std::chrono::milliseconds kToolkitTurn(20);

Loop& TheLoop() {
  static Loop loop;
  return loop;
}

LoopIntegration* Integration() {
  std::lock_guard<std::mutex> guard(TheLoop().lock);
  return TheLoop().integration;
}

void ProcessToolkitEvents(LoopIntegration& integration) {
  TheLoop().toolkit_turn = Clock::now();
  integration.ProcessPendingEvents();
}

void NotifyIntegration() {
  if (LoopIntegration* integration = Integration()) integration->SourcesChanged();
}

// Reads the wake-up descriptor when it is known to be readable, or when a
// wake-up was made since the last look (a wake-up racing with the look is
// seen by the next one, or, by a waiting loop, through the descriptor).
bool DrainWakeUps(bool readable) {
  Loop& loop = TheLoop();
  if (!loop.woken.exchange(false, std::memory_order_acquire) && !readable) return false;
  uint64_t count = 0;
  return ::read(loop.wake_fd, &count, sizeof count) == sizeof count;
}

bool RunDueTimers() {
  auto& loop = TheLoop();
  std::vector<LoopId> due;
  Clock::time_point now = Clock::now();
  {
    std::lock_guard<std::mutex> guard(loop.lock);
    for (auto& [id, timer] : loop.timers)
      if (timer.due <= now) due.push_back(id);
  }
  bool any = false;
  for (LoopId id : due) {
    std::shared_ptr<std::function<void()>> callback;
    {
      std::lock_guard<std::mutex> guard(loop.lock);
      auto it = loop.timers.find(id);
      if (it == loop.timers.end()) continue;  // removed by an earlier callback
      it->second.due = now + it->second.interval;
      callback = it->second.callback;
    }
    (*callback)();
    any = true;
  }
  if (any) NotifyIntegration();
  return any;
}

short PollEvents(Readiness events) {
  return static_cast<short>((Has(events, Readiness::Read) ? POLLIN : 0) |
                            (Has(events, Readiness::Write) ? POLLOUT : 0));
}

Readiness SeenReadiness(short revents) {
  if (revents & (POLLERR | POLLHUP | POLLNVAL)) return Readiness::ReadWrite;
  Readiness seen = Readiness::None;
  if (revents & POLLIN) seen = seen | Readiness::Read;
  if (revents & POLLOUT) seen = seen | Readiness::Write;
  return seen;
}

bool RunReadyWatches() {
  auto& loop = TheLoop();
  std::vector<LoopId> ids;
  std::vector<pollfd> fds;
  {
    std::lock_guard<std::mutex> guard(loop.lock);
    for (auto& [id, watch] : loop.watches) {
      if (watch.events == Readiness::None) continue;
      ids.push_back(id);
      fds.push_back({watch.fd, PollEvents(watch.events), 0});
    }
  }
  if (fds.empty() || ::poll(fds.data(), fds.size(), 0) <= 0) return false;
  bool any = false;
  for (size_t i = 0; i < fds.size(); ++i) {
    Readiness seen = SeenReadiness(fds[i].revents);
    if (seen == Readiness::None) continue;
    std::shared_ptr<std::function<void(Readiness)>> callback;
    {
      std::lock_guard<std::mutex> guard(loop.lock);
      auto it = loop.watches.find(ids[i]);
      if (it == loop.watches.end()) continue;  // removed by an earlier callback
      callback = it->second.callback;
    }
    (*callback)(seen);
    any = true;
  }
  return any;
}

void RunHooks() {
  std::vector<std::shared_ptr<std::function<void()>>> hooks;
  {
    std::lock_guard<std::mutex> guard(TheLoop().lock);
    for (auto& [id, hook] : TheLoop().hooks) hooks.push_back(hook);
  }
  for (auto& hook : hooks) (*hook)();
}

int PollTimeout(std::chrono::milliseconds timeout, std::optional<std::chrono::milliseconds> next_timer) {
  long long wait = timeout.count() < 0 ? -1 : timeout.count();
  if (next_timer && (wait < 0 || next_timer->count() < wait)) wait = next_timer->count();
  return static_cast<int>(std::min<long long>(wait, 1 << 30));
}

}  // namespace

LoopId AddTimer(std::chrono::milliseconds interval, std::function<void()> callback) {
  auto& loop = TheLoop();
  if (interval.count() < 0) interval = std::chrono::milliseconds(0);
  LoopId id;
  {
    std::lock_guard<std::mutex> guard(loop.lock);
    id = loop.next_id++;
    loop.timers[id] = Timer{interval, Clock::now() + interval,
                            std::make_shared<std::function<void()>>(std::move(callback))};
    loop.timer_count = loop.timers.size();
  }
  NotifyIntegration();
  return id;
}

void RemoveTimer(LoopId timer) {
  {
    std::lock_guard<std::mutex> guard(TheLoop().lock);
    if (TheLoop().timers.erase(timer) == 0) return;
    TheLoop().timer_count = TheLoop().timers.size();
  }
  NotifyIntegration();
}

LoopId WatchDescriptor(int fd, Readiness events, std::function<void(Readiness)> callback) {
  auto& loop = TheLoop();
  LoopId id;
  {
    std::lock_guard<std::mutex> guard(loop.lock);
    id = loop.next_id++;
    loop.watches[id] = Watch{fd, events, std::make_shared<std::function<void(Readiness)>>(std::move(callback))};
    loop.watch_count = loop.watches.size();
  }
  NotifyIntegration();
  return id;
}

void SetWatchEvents(LoopId watch, Readiness events) {
  {
    std::lock_guard<std::mutex> guard(TheLoop().lock);
    auto it = TheLoop().watches.find(watch);
    if (it == TheLoop().watches.end() || it->second.events == events) return;
    it->second.events = events;
  }
  NotifyIntegration();
}

void RemoveWatch(LoopId watch) {
  {
    std::lock_guard<std::mutex> guard(TheLoop().lock);
    if (TheLoop().watches.erase(watch) == 0) return;
    TheLoop().watch_count = TheLoop().watches.size();
  }
  NotifyIntegration();
}

void WakeMessageLoop() {
  uint64_t one = 1;
  // A full counter already wakes the loop, so a failed write loses nothing.
  [[maybe_unused]] ssize_t written = ::write(TheLoop().wake_fd, &one, sizeof one);
  TheLoop().woken.store(true, std::memory_order_release);
}

LoopId AddMessageHook(std::function<void()> hook) {
  std::lock_guard<std::mutex> guard(TheLoop().lock);
  LoopId id = TheLoop().next_id++;
  TheLoop().hooks[id] = std::make_shared<std::function<void()>>(std::move(hook));
  TheLoop().hook_count = TheLoop().hooks.size();
  return id;
}

void RemoveMessageHook(LoopId hook) {
  std::lock_guard<std::mutex> guard(TheLoop().lock);
  TheLoop().hooks.erase(hook);
  TheLoop().hook_count = TheLoop().hooks.size();
}

bool DispatchPendingMessages(bool readable) {
  Loop& loop = TheLoop();
  bool woken = DrainWakeUps(readable);
  bool delivered = DeliverPostedMessages();
  bool timed = loop.timer_count != 0 && RunDueTimers();
  bool watched = loop.watch_count != 0 && RunReadyWatches();
  if (loop.hook_count != 0) RunHooks();
  return woken || delivered || timed || watched;
}

LoopSources CurrentLoopSources() {
  auto& loop = TheLoop();
  LoopSources sources{loop.wake_fd, {}, std::nullopt};
  Clock::time_point now = Clock::now();
  std::lock_guard<std::mutex> guard(loop.lock);
  for (auto& [id, watch] : loop.watches)
    if (watch.events != Readiness::None) sources.watches.push_back({watch.fd, watch.events});
  for (auto& [id, timer] : loop.timers) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(std::max(timer.due - now, Clock::duration::zero()));
    if (!sources.next_timer || left < *sources.next_timer) sources.next_timer = left;
  }
  return sources;
}

bool WaitMessages(std::chrono::milliseconds timeout) {
  if (DispatchPendingMessages()) {
    // Sockets that are always ready (a fast download) must not starve the
    // toolkit: its windows, paints and timers get a turn at least every
    // kToolkitTurn, so a Cancel button keeps working.
    LoopIntegration* integration = Integration();
    if (integration && Clock::now() - TheLoop().toolkit_turn >= kToolkitTurn) ProcessToolkitEvents(*integration);
    return true;
  }
  if (LoopIntegration* integration = Integration()) {
    TheLoop().toolkit_turn = Clock::now();
    return integration->Wait(timeout);
  }
  LoopSources sources = CurrentLoopSources();
  std::vector<pollfd> fds{{sources.wake_fd, POLLIN, 0}};
  for (const auto& watch : sources.watches) fds.push_back({watch.fd, PollEvents(watch.events), 0});
  ::poll(fds.data(), fds.size(), PollTimeout(timeout, sources.next_timer));
  return DispatchPendingMessages((fds[0].revents & POLLIN) != 0);
}

void SetLoopIntegration(LoopIntegration* integration) {
  std::lock_guard<std::mutex> guard(TheLoop().lock);
  TheLoop().integration = integration;
}

}  // namespace orv

extern "C" void orv_process_messages(void) {
  orv::DispatchPendingMessages();
  if (orv::LoopIntegration* integration = orv::Integration()) orv::ProcessToolkitEvents(*integration);
}

extern "C" int orv_wait_messages(int timeout_ms) {
  return orv::WaitMessages(std::chrono::milliseconds(timeout_ms)) ? 1 : 0;
}

extern "C" uint64_t orv_add_message_hook(void (*hook)(void* user), void* user) {
  if (!hook) return 0;
  return orv::AddMessageHook([hook, user] { hook(user); });
}

extern "C" void orv_remove_message_hook(uint64_t hook) { orv::RemoveMessageHook(hook); }
