// Build progress: the one place that turns the build's progress into the
// window messages 3058 to 3061 for the caller's window.
#pragma once

#include <cstdint>
#include <string>

#include "orv/window.h"

namespace orv {

// Progress messages sent to the build's window.
constexpr uint32_t BUILD_SETRANGE = 3058;
constexpr uint32_t BUILD_STEP = 3059;
constexpr uint32_t BUILD_RESET = 3060;
constexpr uint32_t BUILD_FILE = 3061;

// Reports a build's progress to a window (none when the window is null).
// Range and File carry a TMyRecord that the receiver frees; they are sent
// only to a window that exists.
class ProgressReporter {
 public:
  HWND Window() const { return window_; }
  void SetWindow(HWND window) { window_ = window; }

  void Range(long long steps) const;
  void Step() const;
  // Steps sent so far (a page that is not built again sends as many as it
  // sent when it was).
  uint32_t StepsSent() const { return steps_sent_; }
  void Reset() const;
  void File(const std::string& path) const;

 private:
  void SendRecord(uint32_t message, const std::string& text) const;

  HWND window_ = nullptr;
  mutable uint32_t steps_sent_ = 0;
};

}  // namespace orv
