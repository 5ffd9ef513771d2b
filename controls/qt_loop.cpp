#include "controls/qt_loop.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace orv {

QtLoopIntegration::QtLoopIntegration() {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { Dispatch(); });
  wake_ = std::make_unique<QSocketNotifier>(CurrentLoopSources().wake_fd, QSocketNotifier::Read);
  connect(wake_.get(), &QSocketNotifier::activated, this, [this] { Dispatch(true); });
  SetLoopIntegration(this);
  SourcesChanged();
}

QtLoopIntegration::~QtLoopIntegration() { SetLoopIntegration(nullptr); }

void QtLoopIntegration::Dispatch(bool woken) {
  if (DispatchPendingMessages(woken)) dispatched_ = true;
  SourcesChanged();
}

void QtLoopIntegration::SourcesChanged() {
  LoopSources sources = CurrentLoopSources();
  std::map<std::pair<int, QSocketNotifier::Type>, std::unique_ptr<QSocketNotifier>> kept;
  auto keep = [&](int fd, QSocketNotifier::Type type) {
    auto key = std::make_pair(fd, type);
    auto found = notifiers_.find(key);
    if (found != notifiers_.end()) {
      kept[key] = std::move(found->second);
      return;
    }
    auto notifier = std::make_unique<QSocketNotifier>(fd, type);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this] { Dispatch(); });
    kept[key] = std::move(notifier);
  };
  for (const auto& watch : sources.watches) {
    if (Has(watch.events, Readiness::Read)) keep(watch.fd, QSocketNotifier::Read);
    if (Has(watch.events, Readiness::Write)) keep(watch.fd, QSocketNotifier::Write);
  }
  notifiers_ = std::move(kept);
  if (sources.next_timer) timer_.start(static_cast<int>(std::min<long long>(sources.next_timer->count(), 1 << 30)));
  else timer_.stop();
}

bool QtLoopIntegration::Wait(std::chrono::milliseconds timeout) {
  bool timed_out = false;
  QTimer deadline;
  deadline.setSingleShot(true);
  connect(&deadline, &QTimer::timeout, [&timed_out] { timed_out = true; });
  if (timeout.count() >= 0) deadline.start(static_cast<int>(std::min<long long>(timeout.count(), 1 << 30)));
  bool outer = std::exchange(dispatched_, false);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  bool handled = dispatched_ || !timed_out;
  dispatched_ = outer || dispatched_;
  return handled;
}

void QtLoopIntegration::ProcessPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace orv
