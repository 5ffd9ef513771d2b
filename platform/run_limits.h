// The limits of the script runs on a thread: a deadline and a memory budget.
// A host opens a ScriptRunLimits around a run; the script runner looks at
// them as the program jumps, and every library routine whose work grows with
// its input (searching, sorting, formatting, loading, waiting for events)
// calls CheckRunLimits() as it goes, so that a run ends with its error within
// moments of the limit, whatever it is doing.
//
//   ScriptRunLimits limits(60, 512 << 20);  // 60 seconds, 512 MiB
//   for (...) { CheckRunLimits(); ...long work... }
//
// The budget is measured on the whole process: how much the program's peak
// resident size grew since the limit began (in builds with AddressSanitizer,
// how much more the allocator has handed out), so it holds for whatever the
// script makes grow — objects, texts, lists, widgets.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/exception.h"

namespace orv {

// The run went on past its deadline: what() is "Script ran longer than N
// seconds".
class ETimeLimit : public Exception {
 public:
  using Exception::Exception;
};

// The memory budget of a script run unless the program is told otherwise.
inline constexpr uint64_t kDefaultScriptMemory = uint64_t{512} << 20;

// The text of the memory budget's error, the same as the runner's for an
// allocation that failed.
inline constexpr const char* kScriptMemoryText = "Memory ran out while running the script";

// The limits in force on a thread.
struct RunLimitState {
  bool timed = false;
  uint32_t seconds = 0;  // the time limit that set the deadline
  std::chrono::steady_clock::time_point deadline;
  bool budgeted = false;
  uint64_t budget = 0;   // the budget that set the ceiling
  uint64_t ceiling = 0;  // memory in use the run may not go beyond
};

// Sets the limits of the runs made on this thread while it exists, nested
// ones included. `seconds` 0 sets no time limit and `memory_bytes` 0 no
// budget; while a limit is in force a nested one can only make it tighter.
class ScriptRunLimits {
 public:
  ScriptRunLimits(uint32_t seconds, uint64_t memory_bytes);
  ~ScriptRunLimits();
  ScriptRunLimits(const ScriptRunLimits&) = delete;
  ScriptRunLimits& operator=(const ScriptRunLimits&) = delete;

 private:
  RunLimitState saved_;
};

// The time limit in seconds and the budget in bytes in force on this thread
// (0 for none): the limits to give a run made later on behalf of this one
// (the events of a form it showed).
uint32_t CurrentRunSeconds();
uint64_t CurrentRunMemoryBytes();

// True once the deadline in force has passed (false without one).
bool RunDeadlinePassed();
// "Script ran longer than N seconds", N being the limit in force.
std::string RunDeadlineText();

// Raises EOutOfMemory(kScriptMemoryText) when the memory in use has outgrown
// the budget in force. Measures at most about once a millisecond, so it may
// be called often.
void CheckRunMemory();

// Raises ETimeLimit once the deadline has passed, and the memory error of
// CheckRunMemory. Costs one look at the clock while a limit is in force and
// nothing otherwise.
void CheckRunLimits();

// Reservations smaller than this are left to the periodic measurement.
inline constexpr size_t kSmallReservation = size_t{64} << 10;

// ReserveRunMemory for a reservation of kSmallReservation or more.
void ReserveLargeRunMemory(size_t bytes);

// Raises the memory error when `bytes` more would not fit in the budget in
// force: for a routine about to make a large text or list in one go. Small
// reservations, the most common by far, are decided here, without a look at
// the limits.
inline void ReserveRunMemory(size_t bytes) {
  if (bytes >= kSmallReservation) ReserveLargeRunMemory(bytes);
}

// The time left before the deadline in force; negative when none is.
std::chrono::milliseconds RunTimeLeft();

}  // namespace orv
