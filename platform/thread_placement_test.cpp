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
  KeepOffCallersProcessor(helper.Thread());
  cpu_set_t bound = AffinityOf(helper.Thread().native_handle());
  EXPECT_EQ(CPU_COUNT(&bound), CPU_COUNT(&saved_) - 1);
  cpu_set_t outside;
  CPU_AND(&outside, &bound, &saved_);
  EXPECT_TRUE(CPU_EQUAL(&outside, &bound)) << "the helper was bound to a processor the caller may not use";
}

TEST_F(CallerAffinity, OneProcessorLeavesTheHelperAsItWas) {
  const cpu_set_t one = test::ThisProcessorOnly();
  ASSERT_EQ(pthread_setaffinity_np(pthread_self(), sizeof one, &one), 0);
  Helper helper;  // inherits the single processor
  KeepOffCallersProcessor(helper.Thread());
  cpu_set_t bound = AffinityOf(helper.Thread().native_handle());
  EXPECT_TRUE(CPU_EQUAL(&bound, &one));
}

}  // namespace
}  // namespace orv
