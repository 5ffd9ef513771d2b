// Reading what an inotify descriptor has waiting, for orvcc --watch's
// watchers.
#pragma once

#include <sys/inotify.h>

#include <functional>

namespace orv {

// Calls `handle` with each event waiting on the non-blocking inotify
// descriptor `fd`, in order, until none is left or `handle` returns false.
void ReadInotifyEvents(int fd, const std::function<bool(const inotify_event&)>& handle);

}  // namespace orv
