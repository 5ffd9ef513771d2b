// ORV's message loop inside Qt's: timers, watched descriptors and posts from
// other threads are served while a modal form runs, and WaitMessages waits in
// Qt's loop.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "controls/controls_test_support.h"
#include "controls/form.h"
#include "platform/message_loop.h"
#include "platform/window.h"

namespace orv {
namespace {

class QtLoopTest : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    form_.SetName("Modal");
  }
  TForm form_{nullptr};
};

TEST_F(QtLoopTest, TimersFireInsideAModalForm) {
  int ticks = 0;
  LoopId timer = AddTimer(std::chrono::milliseconds(1), [&] {
    if (++ticks == 3) form_.SetModalResult(mrOk);
  });
  EXPECT_EQ(form_.ShowModal(), mrOk);
  RemoveTimer(timer);
  EXPECT_EQ(ticks, 3);
}

TEST_F(QtLoopTest, WatchedDescriptorsAreServedInsideAModalForm) {
  int fds[2];
  ASSERT_EQ(::pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
  std::string received;
  LoopId watch = WatchDescriptor(fds[0], Readiness::Read, [&](Readiness) {
    char buffer[16];
    ssize_t got = ::read(fds[0], buffer, sizeof buffer);
    if (got > 0) received.append(buffer, static_cast<size_t>(got));
    if (received == "ping") form_.SetModalResult(mrOk);
  });
  test::WhenShown([&] { ASSERT_EQ(::write(fds[1], "ping", 4), 4); });
  EXPECT_EQ(form_.ShowModal(), mrOk);
  RemoveWatch(watch);
  ::close(fds[0]);
  ::close(fds[1]);
  EXPECT_EQ(received, "ping");
}

TEST_F(QtLoopTest, PostsFromAnotherThreadReachAModalForm) {
  std::thread poster;
  Window receiver([&](uint32_t message, WPARAM, LPARAM) -> LRESULT {
    if (message == 42) form_.SetModalResult(mrYes);
    return 0;
  });
  test::WhenShown([&] { poster = std::thread([&] { PostMessage(receiver.Handle(), 42, 0, 0); }); });
  EXPECT_EQ(form_.ShowModal(), mrYes);
  poster.join();
}

TEST_F(QtLoopTest, WaitMessagesWaitsInQtsLoop) {
  bool fired = false;
  LoopId timer = AddTimer(std::chrono::milliseconds(1), [&] { fired = true; });
  while (!fired) WaitMessages(std::chrono::milliseconds(-1));
  RemoveTimer(timer);
  std::thread waker([] { WakeMessageLoop(); });
  EXPECT_TRUE(WaitMessages(std::chrono::milliseconds(-1)));
  waker.join();
}

}  // namespace
}  // namespace orv
