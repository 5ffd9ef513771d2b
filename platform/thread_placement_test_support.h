// Test helpers for code that binds threads to processors: a thread's
// processors, the set of the one the caller runs on, and the caller's own
// processors put back however a test ends.
#pragma once

#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>

namespace orv::test {

// The processors `thread` may run on.
inline cpu_set_t AffinityOf(pthread_t thread) {
  cpu_set_t set;
  CPU_ZERO(&set);
  EXPECT_EQ(pthread_getaffinity_np(thread, sizeof set, &set), 0);
  return set;
}

// The set of processor `cpu` alone.
inline cpu_set_t OnlyProcessor(int cpu) {
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(cpu, &one);
  return one;
}

// The processor the calling thread runs on now, alone.
inline cpu_set_t ThisProcessorOnly() { return OnlyProcessor(sched_getcpu()); }

// The calling thread's processors as they were when this was made, put
// back by Restore and when it goes.
class SavedAffinity {
 public:
  SavedAffinity() : saved_(AffinityOf(pthread_self())) {}
  ~SavedAffinity() { Restore(); }
  SavedAffinity(const SavedAffinity&) = delete;
  SavedAffinity& operator=(const SavedAffinity&) = delete;

  const cpu_set_t& Saved() const { return saved_; }
  void Restore() const { pthread_setaffinity_np(pthread_self(), sizeof saved_, &saved_); }

 private:
  cpu_set_t saved_;
};

}  // namespace orv::test
