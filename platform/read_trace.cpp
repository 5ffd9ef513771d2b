#include "platform/read_trace.h"

namespace orv {

namespace {

thread_local ReadTrace* current_trace = nullptr;

}  // namespace

ReadTrace* CurrentReadTrace() { return current_trace; }

ReadTraceScope::ReadTraceScope(ReadTrace* trace) : previous_(current_trace) { current_trace = trace; }

ReadTraceScope::~ReadTraceScope() { current_trace = previous_; }

std::string ReadTracedFile(const std::string& path, size_t max_bytes) {
  ReadTrace* trace = current_trace;
  if (!trace) return ReadFileUpTo(path, max_bytes);
  trace->FileToRead(path);
  FileStamp stamp;
  StatFile(path, stamp);
  std::string bytes;
  try {
    bytes = ReadFileUpTo(path, max_bytes);
  } catch (...) {
    trace->FileLooked(path);
    throw;
  }
  trace->FileRead(path, stamp, bytes);
  return bytes;
}

}  // namespace orv
