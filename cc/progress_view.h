// What orvcc shows of a build's progress messages on standard error: one
// status line that rewrites itself on a terminal, plain lines otherwise,
// nothing when quiet; and the build's warnings, on lines of their own in
// every mode.
#pragma once

#include <cstdio>
#include <string>

#include "orv/core.h"
#include "orv/window.h"

namespace orv {

// Turns the build's progress messages into text on a stream.
class ProgressView {
 public:
  enum class Mode { Terminal, Lines, Quiet };

  ProgressView(std::FILE* out, Mode mode, int width) : out_(out), mode_(mode), width_(width) {}

  // Handles one message sent to orvcc's window (frees the TMyRecord of those
  // that carry one). Returns 0, as the window's result.
  LRESULT Handle(uint32_t message, LPARAM lparam);

  // Shows one warning or note line of the build (the status line, if any,
  // is cleared first and comes back with the next page).
  void Report(const char* line);

  // Clears the status line on a terminal.
  void Finish();

  bool Quiet() const { return mode_ == Mode::Quiet; }

 private:
  void Show(const std::string& text);

  std::FILE* out_;
  Mode mode_;
  int width_;
  int ranges_ = 0;
  long long pages_ = 0;
  long long page_ = 0;
  bool line_shown_ = false;
};

// What a build did, as orvcc says it when the build is over: "10 pages: 1
// built, 9 up to date", followed by "; static files: 2 copied, 1 removed"
// when it copied or removed any.
std::string CountsLine(const OrvBuildCounts& counts);

}  // namespace orv
