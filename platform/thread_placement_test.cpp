#include "platform/thread_placement.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <thread>

namespace orv {
namespace {

cpu_set_t AffinityOf(pthread_t thread) {
  cpu_set_t set;
  CPU_ZERO(&set);
  EXPECT_EQ(pthread_getaffinity_np(thread, sizeof set, &set), 0);
  return set;
}

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

// The caller's own affinity, put back when the test ends.
class CallerAffinity : public testing::Test {
 protected:
  void SetUp() override { saved_ = AffinityOf(pthread_self()); }
  void TearDown() override { pthread_setaffinity_np(pthread_self(), sizeof saved_, &saved_); }
  cpu_set_t saved_;
};

TEST_F(CallerAffinity, TheHelperMayUseEveryAllowedProcessorButOne) {
  if (CPU_COUNT(&saved_) < 2) GTEST_SKIP() << "only one processor may be used here";
  Helper helper;
  KeepOffCallersProcessor(helper.Thread());
  cpu_set_t bound = AffinityOf(helper.Thread().native_handle());
  EXPECT_EQ(CPU_COUNT(&bound), CPU_COUNT(&saved_) - 1);
  cpu_set_t outside;
  CPU_AND(&outside, &bound, &saved_);
  EXPECT_TRUE(CPU_EQUAL(&outside, &bound)) << "the helper was bound to a processor the caller may not use";
}

TEST_F(CallerAffinity, OneProcessorLeavesTheHelperAsItWas) {
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(sched_getcpu(), &one);
  ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof one, &one), 0);
  Helper helper;  // inherits the single processor
  KeepOffCallersProcessor(helper.Thread());
  cpu_set_t bound = AffinityOf(helper.Thread().native_handle());
  EXPECT_TRUE(CPU_EQUAL(&bound, &one));
}

}  // namespace
}  // namespace orv
