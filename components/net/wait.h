// TWait: a small control that runs a modal wait with a time-out. While it
// runs it pumps the message loop and counts down in steps of Interval; the
// awaited event ends it by setting ModalResult, the count running out ends it
// with a time-out. A socket uses it to wait for a state (TWSocket::Wait).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "components/component.h"

namespace orv::net {

// A modal wait with a count-down; the dialogs may show it as a control.
class TWait : public TComponent {
 public:
  using TWaitEvent = std::function<void(TObject* sender, int count)>;
  using TNotifyEvent = std::function<void(TObject* sender)>;

  explicit TWait(TComponent* owner = nullptr) : TComponent(owner) {}
  ~TWait() override;
  std::string ClassName() const override { return "TWait"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  // 0 while waiting; set by the awaited event (any non-zero value ends the
  // wait). A time-out leaves it at kTimedOut.
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }
  // Milliseconds per step of the count-down (1000 by default).
  int Interval() const { return interval_ms_; }
  void SetInterval(int milliseconds) { interval_ms_ = milliseconds > 0 ? milliseconds : 1; }
  bool Running() const { return running_; }
  // Shown while running.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }

  // Runs the wait for `count` steps. Returns the ModalResult that ended it,
  // or kTimedOut after OnTimeout. A wait already running returns at once with
  // its current result.
  int Wait(int count);
  // Ends a running wait as if its result had been set to kStopped.
  void Stop();

  static constexpr int kTimedOut = -1;
  static constexpr int kStopped = -2;

  TWaitEvent OnWait;         // each step, with the steps left
  TNotifyEvent OnWaiting;    // each pass of the loop while waiting
  TNotifyEvent OnWaitStart;
  TNotifyEvent OnWaitStop;
  TNotifyEvent OnTimeout;

 private:
  std::string caption_;
  int modal_result_ = 0;
  int interval_ms_ = 1000;
  bool running_ = false;
  bool visible_ = false;
  uint64_t timer_ = 0;
};

}  // namespace orv::net
