// Ctrl-C (SIGINT) and SIGTERM for a program that runs until it is stopped
// (orvcc --watch): the first asks it to stop, which it does once its current
// work is done; a second one while it is busy ends it at once (status 130).
#pragma once

namespace orv {

// Takes SIGINT and SIGTERM for its lifetime.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Becomes readable when a stop was asked for.
  int Descriptor() const;
  bool Requested() const;

  // Whether the program is in the middle of work that a second signal cuts
  // short.
  void SetBusy(bool busy);
};

}  // namespace orv
