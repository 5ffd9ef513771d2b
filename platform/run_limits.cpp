#include "platform/run_limits.h"

#include <sys/resource.h>

#include <algorithm>
#include <limits>

#if defined(__SANITIZE_ADDRESS__)
#define ORV_ASAN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORV_ASAN_ALLOCATOR 1
#endif
#endif
#ifdef ORV_ASAN_ALLOCATOR
// From the sanitizer's allocator (gcc ships no header that declares it).
extern "C" size_t __sanitizer_get_current_allocated_bytes(void);
#endif

namespace orv {
namespace {

using Clock = std::chrono::steady_clock;

// Memory use is measured at most this often by CheckRunMemory.
constexpr auto kMemoryCheckInterval = std::chrono::milliseconds(1);

thread_local RunLimitState state;
thread_local Clock::time_point last_memory_check;

// The memory the process uses: what the allocator has handed out under
// AddressSanitizer (whose resident size counts its shadow and quarantine),
// else the peak resident size, which a run can raise only by using more
// memory than the program ever did (one cheap system call, and freed
// memory that the allocator keeps does not blur it).
uint64_t MemoryInUse() {
#ifdef ORV_ASAN_ALLOCATOR
  return __sanitizer_get_current_allocated_bytes();
#else
  struct rusage usage {};
  if (::getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  return static_cast<uint64_t>(usage.ru_maxrss) * 1024;  // kilobytes
#endif
}

[[noreturn]] void MemoryRanOut() { throw EOutOfMemory(kScriptMemoryText); }

}  // namespace

ScriptRunLimits::ScriptRunLimits(uint32_t seconds, uint64_t memory_bytes) : saved_(state) {
  if (seconds != 0) {
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(seconds);
    if (!state.timed || deadline < state.deadline) {
      state.timed = true;
      state.seconds = seconds;
      state.deadline = deadline;
    }
  }
  if (memory_bytes != 0) {
    const uint64_t in_use = MemoryInUse();
    const uint64_t ceiling =
        in_use > std::numeric_limits<uint64_t>::max() - memory_bytes ? std::numeric_limits<uint64_t>::max()
                                                                     : in_use + memory_bytes;
    if (!state.budgeted || ceiling < state.ceiling) {
      state.budgeted = true;
      state.budget = memory_bytes;
      state.ceiling = ceiling;
    }
  }
}

ScriptRunLimits::~ScriptRunLimits() { state = saved_; }

uint32_t CurrentRunSeconds() { return state.timed ? state.seconds : 0; }
uint64_t CurrentRunMemoryBytes() { return state.budgeted ? state.budget : 0; }

bool RunDeadlinePassed() { return state.timed && Clock::now() >= state.deadline; }

std::string RunDeadlineText() { return "Script ran longer than " + std::to_string(state.seconds) + " seconds"; }

void CheckRunMemory() {
  if (!state.budgeted) return;
  const Clock::time_point now = Clock::now();
  if (now - last_memory_check < kMemoryCheckInterval) return;
  last_memory_check = now;
  if (MemoryInUse() > state.ceiling) MemoryRanOut();
}

void CheckRunLimits() {
  if (RunDeadlinePassed()) throw ETimeLimit(RunDeadlineText());
  CheckRunMemory();
}

void ReserveLargeRunMemory(size_t bytes) {
  if (!state.budgeted) return;
  const uint64_t in_use = MemoryInUse();
  if (bytes > state.ceiling || in_use > state.ceiling - bytes) MemoryRanOut();
}

std::chrono::milliseconds RunTimeLeft() {
  if (!state.timed) return std::chrono::milliseconds(-1);
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(state.deadline - Clock::now());
  return std::max(left, std::chrono::milliseconds(0));
}

}  // namespace orv
