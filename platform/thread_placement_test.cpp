#include "platform/thread_placement.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/thread_placement_test_support.h"

namespace orv {
namespace {

// A thread that idles until the test lets it go.
class Helper {
 public:
  Helper() : thread_([this] { release_.wait(false); }) {}
  ~Helper() {
    release_ = true;
    release_.notify_one();
    thread_.join();
  }
  std::thread& Thread() { return thread_; }

 private:
  std::atomic<bool> release_{false};
  std::thread thread_;
};

using test::AffinityOf;

// The caller's own affinity, put back when the test ends.
class CallerAffinity : public testing::Test {
 protected:
  test::SavedAffinity affinity_;
  const cpu_set_t& saved_ = affinity_.Saved();
};

TEST_F(CallerAffinity, TheHelperMayUseEveryAllowedProcessorButOne) {
  if (CPU_COUNT(&saved_) < 2) GTEST_SKIP() << "only one processor may be used here";
  Helper helper;
  const int kept_off = KeepOffCallersProcessor(helper.Thread());
  cpu_set_t bound = AffinityOf(helper.Thread().native_handle());
  EXPECT_EQ(CPU_COUNT(&bound), CPU_COUNT(&saved_) - 1);
  ASSERT_GE(kept_off, 0);
  EXPECT_TRUE(CPU_ISSET(kept_off, &saved_) && !CPU_ISSET(kept_off, &bound));
  cpu_set_t outside;
  CPU_AND(&outside, &bound, &saved_);
  EXPECT_TRUE(CPU_EQUAL(&outside, &bound)) << "the helper was bound to a processor the caller may not use";
}

// A caller that the system moved onto the helper's processor moves the
// helper off it again: the helper gets back the processor it was kept off
// and loses the caller's present one, even when the caller may now run on
// that one only.
TEST_F(CallerAffinity, TheHelperFollowsWhenTheCallerMoves) {
  if (CPU_COUNT(&saved_) < 2) GTEST_SKIP() << "only one processor may be used here";
  Helper helper;
  const int kept_off = KeepOffCallersProcessor(helper.Thread());
  ASSERT_GE(kept_off, 0);
  cpu_set_t before = AffinityOf(helper.Thread().native_handle());
  ASSERT_FALSE(CPU_ISSET(kept_off, &before));
  int onto = 0;
  while (!CPU_ISSET(onto, &before)) ++onto;
  const cpu_set_t there = test::OnlyProcessor(onto);
  ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof there, &there), 0);
  ASSERT_EQ(sched_getcpu(), onto);
  EXPECT_EQ(KeepOffCallersProcessor(helper.Thread(), kept_off), onto);
  cpu_set_t after = AffinityOf(helper.Thread().native_handle());
  cpu_set_t expected = before;
  CPU_SET(kept_off, &expected);
  CPU_CLR(onto, &expected);
  EXPECT_TRUE(CPU_EQUAL(&after, &expected));
  EXPECT_EQ(CPU_COUNT(&after), CPU_COUNT(&saved_) - 1);
}

TEST_F(CallerAffinity, OneProcessorLeavesTheHelperAsItWas) {
  const cpu_set_t one = test::ThisProcessorOnly();
  ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof one, &one), 0);
  Helper helper;  // inherits the single processor
  EXPECT_EQ(KeepOffCallersProcessor(helper.Thread()), -1);
  cpu_set_t bound = AffinityOf(helper.Thread().native_handle());
  EXPECT_TRUE(CPU_EQUAL(&bound, &one));
}

}  // namespace
}  // namespace orv
