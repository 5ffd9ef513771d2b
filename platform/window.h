// C++ side of the window-message stand-in: the names the rest of ORV uses
// (SendMessage, PostMessage, ProcessMessages) and a small owning receiver
// class for hosts and tests. The C functions behind them are declared in
// include/orv/window.h.
#pragma once

#include <functional>

#include "orv/window.h"

namespace orv {

inline LRESULT SendMessage(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam) {
  return orv_send_message(window, message, wparam, lparam);
}

inline bool PostMessage(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam) {
  return orv_post_message(window, message, wparam, lparam) != 0;
}

inline bool IsWindow(HWND window) { return orv_is_window(window) != 0; }

inline void ProcessMessages() { orv_process_messages(); }

// A receiver window whose messages go to a C++ function; it is registered
// while the object lives.
class Window {
 public:
  using Handler = std::function<LRESULT(uint32_t message, WPARAM wparam, LPARAM lparam)>;

  explicit Window(Handler handler);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return handle_; }

 private:
  static LRESULT Dispatch(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam, void* user);

  Handler handler_;
  HWND handle_;
};

}  // namespace orv
