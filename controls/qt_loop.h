// Runs ORV's message loop inside Qt's event loop: a socket notifier on the
// loop's wake-up descriptor and on every watched descriptor and one timer for
// the next due ORV timer call DispatchPendingMessages, so posted window
// messages, timers and sockets keep flowing while Qt runs (a modal dialog
// included).
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <map>
#include <memory>
#include <utility>

#include "platform/message_loop.h"

namespace orv {

// The platform's LoopIntegration on Qt. One exists while a Qt application
// runs; it installs itself on construction and removes itself when destroyed.
class QtLoopIntegration : public QObject, public LoopIntegration {
 public:
  QtLoopIntegration();
  ~QtLoopIntegration() override;

  void SourcesChanged() override;
  bool Wait(std::chrono::milliseconds timeout) override;
  void ProcessPendingEvents() override;

 private:
  // Handles what is ready; `woken` when the wake-up descriptor is readable.
  void Dispatch(bool woken = false);

  std::unique_ptr<QSocketNotifier> wake_;
  std::map<std::pair<int, QSocketNotifier::Type>, std::unique_ptr<QSocketNotifier>> notifiers_;
  QTimer timer_;
  bool dispatched_ = false;
};

}  // namespace orv
