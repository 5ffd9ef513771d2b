#include "platform/message_loop.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/window.h"

namespace orv {
namespace {

using std::chrono::milliseconds;
constexpr milliseconds kForever{-1};
constexpr milliseconds kNoWait{0};

// A pipe whose ends are closed with the test.
struct Pipe {
  int read_end = -1;
  int write_end = -1;
  Pipe() {
    int fds[2];
    EXPECT_EQ(::pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
    read_end = fds[0];
    write_end = fds[1];
  }
  ~Pipe() {
    CloseRead();
    CloseWrite();
  }
  void CloseRead() {
    if (read_end >= 0) ::close(read_end);
    read_end = -1;
  }
  void CloseWrite() {
    if (write_end >= 0) ::close(write_end);
    write_end = -1;
  }
  void Write(char c) { ASSERT_EQ(::write(write_end, &c, 1), 1); }
};

// Handles what earlier tests may have left ready, so each test starts idle.
void Settle() {
  while (WaitMessages(kNoWait)) {
  }
}

TEST(MessageLoopTest, WaitWithNothingReadyTimesOut) {
  Settle();
  EXPECT_FALSE(WaitMessages(kNoWait));
}

TEST(MessageLoopTest, TimerRepeatsUntilRemoved) {
  Settle();
  int ticks = 0;
  LoopId timer = AddTimer(milliseconds(1), [&] { ++ticks; });
  EXPECT_NE(timer, 0u);
  while (ticks < 3) EXPECT_TRUE(WaitMessages(kForever));
  RemoveTimer(timer);
  RemoveTimer(timer);
  EXPECT_FALSE(WaitMessages(milliseconds(2)));
  EXPECT_EQ(ticks, 3);
}

TEST(MessageLoopTest, TimerMayRemoveItselfAndAddAnother) {
  Settle();
  std::vector<std::string> seen;
  LoopId first = 0;
  LoopId second = 0;
  first = AddTimer(kNoWait, [&] {
    seen.push_back("first");
    RemoveTimer(first);
    second = AddTimer(kNoWait, [&] {
      seen.push_back("second");
      RemoveTimer(second);
    });
  });
  EXPECT_TRUE(WaitMessages(kForever));
  while (seen.size() < 2) WaitMessages(kForever);
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "second"}));
  EXPECT_FALSE(WaitMessages(kNoWait));
}

TEST(MessageLoopTest, ShortestTimerWakesALongWait) {
  Settle();
  bool fired = false;
  LoopId timer = AddTimer(milliseconds(1), [&] { fired = true; });
  // Without the timer this wait would last an hour.
  EXPECT_TRUE(WaitMessages(std::chrono::hours(1)));
  EXPECT_TRUE(fired);
  RemoveTimer(timer);
}

TEST(MessageLoopTest, WatchedPipeReportsReadThenPauseAndRemove) {
  Settle();
  Pipe pipe;
  std::vector<Readiness> seen;
  LoopId watch = WatchDescriptor(pipe.read_end, Readiness::Read, [&](Readiness r) {
    seen.push_back(r);
    char c;
    EXPECT_EQ(::read(pipe.read_end, &c, 1), 1);
  });
  EXPECT_FALSE(WaitMessages(kNoWait));
  pipe.Write('x');
  EXPECT_TRUE(WaitMessages(kForever));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], Readiness::Read);

  SetWatchEvents(watch, Readiness::None);
  pipe.Write('y');
  EXPECT_FALSE(WaitMessages(kNoWait));
  SetWatchEvents(watch, Readiness::Read);
  EXPECT_TRUE(WaitMessages(kForever));
  EXPECT_EQ(seen.size(), 2u);

  RemoveWatch(watch);
  pipe.Write('z');
  EXPECT_FALSE(WaitMessages(kNoWait));
  EXPECT_EQ(seen.size(), 2u);
}

TEST(MessageLoopTest, WritableAndHangUpAreReported) {
  Settle();
  Pipe pipe;
  Readiness writable = Readiness::None;
  LoopId write_watch = WatchDescriptor(pipe.write_end, Readiness::Write, [&](Readiness r) { writable = r; });
  EXPECT_TRUE(WaitMessages(kForever));
  EXPECT_EQ(writable, Readiness::Write);
  RemoveWatch(write_watch);

  Readiness hung_up = Readiness::None;
  LoopId read_watch = WatchDescriptor(pipe.read_end, Readiness::Read, [&](Readiness r) {
    hung_up = r;
    RemoveWatch(read_watch);  // a watch may end itself
  });
  pipe.CloseWrite();
  EXPECT_TRUE(WaitMessages(kForever));
  EXPECT_EQ(hung_up, Readiness::ReadWrite);
  EXPECT_FALSE(WaitMessages(kNoWait));
}

TEST(MessageLoopTest, PostFromAnotherThreadWakesTheWait) {
  Settle();
  std::vector<uint32_t> seen;
  Window window([&](uint32_t message, WPARAM, LPARAM) -> LRESULT {
    seen.push_back(message);
    return 0;
  });
  std::thread poster([&] { PostMessage(window.Handle(), 77, 0, 0); });
  while (seen.empty()) EXPECT_TRUE(WaitMessages(kForever));
  poster.join();
  EXPECT_EQ(seen, std::vector<uint32_t>{77});
}

TEST(MessageLoopTest, WakeFromAnotherThreadEndsTheWait) {
  Settle();
  std::thread waker([] { WakeMessageLoop(); });
  EXPECT_TRUE(WaitMessages(kForever));
  waker.join();
  EXPECT_FALSE(WaitMessages(kNoWait));
}

TEST(MessageLoopTest, SourcesListWatchesAndNextTimer) {
  Settle();
  Pipe pipe;
  LoopSources before = CurrentLoopSources();
  EXPECT_GE(before.wake_fd, 0);
  LoopId watch = WatchDescriptor(pipe.read_end, Readiness::Read, [](Readiness) {});
  LoopId paused = WatchDescriptor(pipe.write_end, Readiness::None, [](Readiness) {});
  LoopId timer = AddTimer(std::chrono::hours(1), [] {});
  LoopSources sources = CurrentLoopSources();
  ASSERT_EQ(sources.watches.size(), before.watches.size() + 1);
  EXPECT_EQ(sources.watches.back().fd, pipe.read_end);
  EXPECT_EQ(sources.watches.back().events, Readiness::Read);
  ASSERT_TRUE(sources.next_timer.has_value());
  EXPECT_GT(*sources.next_timer, std::chrono::minutes(59));
  RemoveWatch(watch);
  RemoveWatch(paused);
  RemoveTimer(timer);
}

// Stands in for a toolkit's loop: records what the platform asks of it.
class RecordingIntegration : public LoopIntegration {
 public:
  void SourcesChanged() override { ++changes; }
  bool Wait(milliseconds timeout) override {
    waits.push_back(timeout);
    return DispatchPendingMessages();
  }
  void ProcessPendingEvents() override { ++pending_runs; }

  int changes = 0;
  int pending_runs = 0;
  std::vector<milliseconds> waits;
};

TEST(MessageLoopTest, IntegrationIsToldOfChangesAndRunsTheWaits) {
  Settle();
  RecordingIntegration integration;
  SetLoopIntegration(&integration);
  LoopId timer = AddTimer(std::chrono::hours(1), [] {});
  RemoveTimer(timer);
  Pipe pipe;
  LoopId watch = WatchDescriptor(pipe.read_end, Readiness::Read, [](Readiness) {});
  SetWatchEvents(watch, Readiness::None);
  RemoveWatch(watch);
  EXPECT_EQ(integration.changes, 5);
  EXPECT_FALSE(WaitMessages(milliseconds(5)));
  ASSERT_EQ(integration.waits.size(), 1u);
  EXPECT_EQ(integration.waits[0], milliseconds(5));
  ProcessMessages();
  EXPECT_EQ(integration.pending_runs, 1);
  SetLoopIntegration(nullptr);
}

// A descriptor that is always ready (data arriving faster than it is read)
// keeps WaitMessages busy; the toolkit's own events still get their turn.
TEST(MessageLoopTest, ABusyDescriptorLeavesTheToolkitItsTurn) {
  Settle();
  RecordingIntegration integration;
  SetLoopIntegration(&integration);
  Pipe pipe;
  pipe.Write('x');  // never read: the watch is ready on every pass
  int ready = 0;
  LoopId watch = WatchDescriptor(pipe.read_end, Readiness::Read, [&ready](Readiness) { ++ready; });
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (integration.pending_runs < 3 && std::chrono::steady_clock::now() < give_up) EXPECT_TRUE(WaitMessages(kForever));
  RemoveWatch(watch);
  SetLoopIntegration(nullptr);
  EXPECT_GE(integration.pending_runs, 3) << "after " << ready << " busy passes";
  EXPECT_TRUE(integration.waits.empty()) << "the loop never had to wait";
}

}  // namespace
}  // namespace orv
