// Files read on behalf of work that wants to know which: an incremental
// build records what each page read (its source, includes, images, the files
// its scripts load), so that it can tell when the page must be built again.
// Readers that act for such work (the script library's file routines) report
// each read to the trace set on their thread, and name the file before they
// look at it, so that work still writing files (a build writing its pages
// beside it) can finish the one about to be read.
#pragma once

#include <string>
#include <string_view>

#include "platform/files.h"

namespace orv {

// Receives the reads of the work it was set for.
class ReadTrace {
 public:
  virtual ~ReadTrace() = default;
  // `path` is about to be looked at and read.
  virtual void FileToRead(const std::string& path) = 0;
  // `path` was read: `stamp` taken before the read, `bytes` what was read.
  virtual void FileRead(const std::string& path, const FileStamp& stamp, std::string_view bytes) = 0;
  // `path` was to be read and could not be (missing, not a regular file,
  // too large): what it holds now is what the work depended on.
  virtual void FileLooked(const std::string& path) = 0;
};

// The trace of this thread's current work, or null.
ReadTrace* CurrentReadTrace();

// Sets `trace` as this thread's for the scope's lifetime (null: none),
// restoring the previous one afterwards.
class ReadTraceScope {
 public:
  explicit ReadTraceScope(ReadTrace* trace);
  ~ReadTraceScope();
  ReadTraceScope(const ReadTraceScope&) = delete;
  ReadTraceScope& operator=(const ReadTraceScope&) = delete;

 private:
  ReadTrace* previous_;
};

// The whole regular file at `path`, of at most `max_bytes` bytes, as
// ReadFileUpTo reads it (raising its errors), named to the current trace
// when there is one and reported to it: with its stamp before the read, or
// as looked for when it could not be read.
std::string ReadTracedFile(const std::string& path, size_t max_bytes);

}  // namespace orv
