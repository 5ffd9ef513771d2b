#include "platform/display.h"

#include <atomic>
#include <cstdlib>
#include <string_view>

namespace orv {
namespace {

std::atomic<bool> unattended{false};

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

bool DisplayAvailable() {
  if (IsSet("QT_QPA_PLATFORM")) {
    std::string_view platform = std::getenv("QT_QPA_PLATFORM");
    platform = platform.substr(0, platform.find(':'));  // "offscreen:size=..." names offscreen
    return platform != "offscreen" && platform != "minimal";
  }
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

void SetUnattended(bool value) { unattended = value; }

bool Unattended() { return unattended; }

}  // namespace orv
