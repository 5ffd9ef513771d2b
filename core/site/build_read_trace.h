// The read trace of a build (platform/read_trace.h): the files its scripts
// load through the library (TStrings.LoadFromFile) are settled with the page
// writer before they are read, so a script finds every page the build gave
// written whole, and each read is recorded for the page being built while
// the build records one (BuildState::Inputs). CurrentBuildScope sets it on
// the build's thread.
#pragma once

#include <string>
#include <string_view>

#include "platform/read_trace.h"

namespace orv {

class BuildState;

// Passes the reads of a build's scripts to its writer and its page inputs.
class BuildReadTrace : public ReadTrace {
 public:
  explicit BuildReadTrace(BuildState& build) : build_(build) {}

  void FileToRead(const std::string& path) override;
  void FileRead(const std::string& path, const FileStamp& stamp, std::string_view bytes) override;
  void FileLooked(const std::string& path) override;

 private:
  BuildState& build_;
};

}  // namespace orv
