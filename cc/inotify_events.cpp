#include "cc/inotify_events.h"

#include <unistd.h>

#include <cerrno>

namespace orv {

void ReadInotifyEvents(int fd, const std::function<bool(const inotify_event&)>& handle) {
  alignas(inotify_event) char buffer[64 * 1024];
  for (;;) {
    const ssize_t size = ::read(fd, buffer, sizeof buffer);
    if (size < 0 && errno == EINTR) continue;
    if (size <= 0) return;
    for (ssize_t at = 0; at < size;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (!handle(*event)) return;
    }
  }
}

}  // namespace orv
