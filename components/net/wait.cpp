#include "components/net/wait.h"

#include <chrono>

#include "components/net/deferred_error.h"
#include "platform/message_loop.h"

namespace orv::net {

TWait::~TWait() {
  if (timer_) RemoveTimer(timer_);
}

int TWait::Wait(int count) {
  if (running_) return modal_result_;
  running_ = true;
  modal_result_ = 0;
  bool was_visible = visible_;
  visible_ = true;
  if (OnWaitStart) OnWaitStart(this);
  int left = count;
  timer_ = AddTimer(std::chrono::milliseconds(interval_ms_), [this, &left] {
    --left;
    if (OnWait) OnWait(this, left);
  });
  while (modal_result_ == 0 && left > 0) {
    WaitMessages(std::chrono::milliseconds(-1));
    if (OnWaiting) OnWaiting(this);
  }
  RemoveTimer(timer_);
  timer_ = 0;
  if (modal_result_ == 0) {
    modal_result_ = kTimedOut;
    if (OnTimeout) OnTimeout(this);
  }
  visible_ = was_visible;
  running_ = false;
  if (OnWaitStop) OnWaitStop(this);
  RethrowDeferredError();
  return modal_result_;
}

void TWait::Stop() {
  if (running_ && modal_result_ == 0) modal_result_ = kStopped;
}

}  // namespace orv::net
