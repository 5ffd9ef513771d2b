// TTimer: runs OnTimer every Interval milliseconds while Enabled, on the
// platform's message loop (inside Qt's when a Qt application runs), so it
// also fires while a modal form is open or a build lets messages run.
#pragma once

#include "components/component.h"
#include "components/property_value.h"
#include "platform/message_loop.h"

namespace orv {

// A repeating timer component.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  std::string ClassName() const override { return "TTimer"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  void SetInterval(int interval);

  TMethod OnTimer;

 private:
  void Restart();
  bool enabled_ = true;
  int interval_ = 1000;
  LoopId timer_ = 0;
};

}  // namespace orv
