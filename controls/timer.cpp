#include "controls/timer.h"

#include "controls/event_firing.h"

namespace orv {

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Restart(); }

TTimer::~TTimer() { RemoveTimer(timer_); }

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::SetInterval(int interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Restart();
}

void TTimer::Restart() {
  RemoveTimer(timer_);
  timer_ = 0;
  if (!enabled_ || interval_ <= 0) return;
  timer_ = AddTimer(std::chrono::milliseconds(interval_), [this] { RunHandler(OnTimer, this); });
}

}  // namespace orv
