#include "platform/window.h"

#include "platform/message_loop.h"
#include "platform/posted_messages.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <unordered_map>

namespace orv {
namespace {

struct Receiver {
  orv_window_proc proc;
  void* user;
};

struct Posted {
  HWND window;
  uint32_t message;
  WPARAM wparam;
  LPARAM lparam;
};

// The process's one handle table and message queue. Handles are numbers that
// are never reused, so a stale handle can never reach a newer receiver.
struct MessageSpace {
  std::mutex lock;
  std::unordered_map<uintptr_t, Receiver> receivers;
  std::deque<Posted> queue;
  // queue.size(), kept beside it so that delivering the posted messages
  // finds an empty queue without taking the lock.
  std::atomic<size_t> queued{0};
  uintptr_t next_handle = 1;
  // Counts the windows made and destroyed: a receiver found when it last
  // changed is still the window's.
  std::atomic<uint64_t> generation{0};

  bool Lookup(HWND window, Receiver& out) {
    // A build sends its window a message for every step of every page: the
    // window each thread last reached is kept, without the lock, for as
    // long as no window comes or goes.
    thread_local struct {
      HWND window = nullptr;
      uint64_t generation = ~uint64_t{0};
      Receiver receiver{};
    } last;
    if (last.window == window && last.generation == generation.load(std::memory_order_acquire)) {
      out = last.receiver;
      return true;
    }
    std::lock_guard<std::mutex> guard(lock);
    auto it = receivers.find(reinterpret_cast<uintptr_t>(window));
    if (it == receivers.end()) return false;
    out = it->second;
    last = {window, generation.load(std::memory_order_relaxed), out};
    return true;
  }
};

MessageSpace& Space() {
  static MessageSpace space;
  return space;
}

}  // namespace

Window::Window(Handler handler)
    : handler_(std::move(handler)), handle_(orv_create_window(&Window::Dispatch, this)) {}

Window::~Window() { orv_destroy_window(handle_); }

LRESULT Window::Dispatch(HWND, uint32_t message, WPARAM wparam, LPARAM lparam, void* user) {
  return static_cast<Window*>(user)->handler_(message, wparam, lparam);
}

}  // namespace orv

using orv::Space;

extern "C" HWND orv_create_window(orv_window_proc proc, void* user) {
  auto& space = Space();
  std::lock_guard<std::mutex> guard(space.lock);
  uintptr_t id = space.next_handle++;
  space.receivers[id] = {proc, user};
  space.generation.fetch_add(1, std::memory_order_release);
  return reinterpret_cast<HWND>(id);
}

extern "C" void orv_destroy_window(HWND window) {
  auto& space = Space();
  std::lock_guard<std::mutex> guard(space.lock);
  space.receivers.erase(reinterpret_cast<uintptr_t>(window));
  space.generation.fetch_add(1, std::memory_order_release);
  std::erase_if(space.queue, [window](const orv::Posted& p) { return p.window == window; });
}

extern "C" int orv_is_window(HWND window) {
  orv::Receiver receiver;
  return Space().Lookup(window, receiver) ? 1 : 0;
}

extern "C" LRESULT orv_send_message(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam) {
  orv::Receiver receiver;
  if (!Space().Lookup(window, receiver)) return 0;
  return receiver.proc(window, message, wparam, lparam, receiver.user);
}

extern "C" int orv_post_message(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam) {
  auto& space = Space();
  std::lock_guard<std::mutex> guard(space.lock);
  if (!space.receivers.count(reinterpret_cast<uintptr_t>(window))) return 0;
  space.queue.push_back({window, message, wparam, lparam});
  space.queued.store(space.queue.size(), std::memory_order_release);
  orv::WakeMessageLoop();
  return 1;
}

namespace orv {

bool DeliverPostedMessages() {
  auto& space = Space();
  bool any = false;
  for (;;) {
    if (space.queued.load(std::memory_order_acquire) == 0) return any;
    Posted next;
    {
      std::lock_guard<std::mutex> guard(space.lock);
      if (space.queue.empty()) return any;
      next = space.queue.front();
      space.queue.pop_front();
      space.queued.store(space.queue.size(), std::memory_order_release);
    }
    orv_send_message(next.window, next.message, next.wparam, next.lparam);
    any = true;
  }
}

}  // namespace orv

