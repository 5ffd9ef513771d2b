#include "platform/read_trace.h"

namespace orv {

namespace {

thread_local ReadTrace* current_trace = nullptr;

}  // namespace

ReadTrace* CurrentReadTrace() { return current_trace; }

ReadTraceScope::ReadTraceScope(ReadTrace* trace) : previous_(current_trace) { current_trace = trace; }

ReadTraceScope::~ReadTraceScope() { current_trace = previous_; }

std::string ReadTracedFile(const std::string& path) {
  if (!current_trace) return ReadFileBytes(path);
  FileStamp stamp;
  StatFile(path, stamp);
  std::string bytes = ReadFileBytes(path);
  current_trace->FileRead(path, stamp, bytes);
  return bytes;
}

}  // namespace orv
