// A build of a project as orvcc runs it on the console: the core's progress
// messages go to a window of orvcc's own and are shown on standard error (a
// status line on a terminal, plain lines otherwise, nothing when quiet),
// with the build's warnings, and the build ends with what it did ("10
// pages: 1 built, 9 up to date").
#pragma once

#include <functional>
#include <string>

#include "cc/core_binding.h"
#include "cc/progress_view.h"
#include "platform/window.h"

namespace orv {

// Builds one project, as often as asked.
class ConsoleBuild {
 public:
  ConsoleBuild(const CoreEntry& core, std::string project, bool quiet);
  ~ConsoleBuild();
  ConsoleBuild(const ConsoleBuild&) = delete;
  ConsoleBuild& operator=(const ConsoleBuild&) = delete;

  // Builds the project once; with `timed` the counts line ends with how
  // long the build took (" in 12 ms"). `built`, when given, runs once the
  // build is over, before the counts line is shown. False when an error
  // ended the build: Error() says what.
  bool Run(bool timed = false, const std::function<void()>& built = {});
  const std::string& Error() const { return error_; }

  // Posts orvcc's window its close request and lets it arrive, as orvcc
  // does once the build is over; false when it did not arrive.
  bool Close();

 private:
  const CoreEntry& core_;
  std::string project_;
  ProgressView view_;
  Window window_;
  bool closed_ = false;
  std::string error_;
};

}  // namespace orv
