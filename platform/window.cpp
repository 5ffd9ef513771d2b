#include "platform/window.h"

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
  uintptr_t next_handle = 1;
  void (*hook)() = nullptr;

  bool Lookup(HWND window, Receiver& out) {
    std::lock_guard<std::mutex> guard(lock);
    auto it = receivers.find(reinterpret_cast<uintptr_t>(window));
    if (it == receivers.end()) return false;
    out = it->second;
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
  return reinterpret_cast<HWND>(id);
}

extern "C" void orv_destroy_window(HWND window) {
  auto& space = Space();
  std::lock_guard<std::mutex> guard(space.lock);
  space.receivers.erase(reinterpret_cast<uintptr_t>(window));
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
  return 1;
}

extern "C" void orv_process_messages(void) {
  auto& space = Space();
  for (;;) {
    orv::Posted next;
    {
      std::lock_guard<std::mutex> guard(space.lock);
      if (space.queue.empty()) break;
      next = space.queue.front();
      space.queue.pop_front();
    }
    orv_send_message(next.window, next.message, next.wparam, next.lparam);
  }
  void (*hook)();
  {
    std::lock_guard<std::mutex> guard(space.lock);
    hook = space.hook;
  }
  if (hook) hook();
}

extern "C" void orv_set_process_messages_hook(void (*hook)(void)) {
  auto& space = Space();
  std::lock_guard<std::mutex> guard(space.lock);
  space.hook = hook;
}
