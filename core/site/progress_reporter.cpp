#include "core/site/progress_reporter.h"

#include "orv/myrecord.h"
#include "platform/exception.h"
#include "platform/window.h"

namespace orv {

void ProgressReporter::SendRecord(uint32_t message, const std::string& text) const {
  if (!IsWindow(window_)) return;
  TMyRecord* record = orv_myrecord_new(text.c_str(), "", "");
  if (!record) throw EOutOfMemory("Out of memory");
  SendMessage(window_, message, 0, reinterpret_cast<LPARAM>(record));
}

void ProgressReporter::Range(long long steps) const { SendRecord(BUILD_SETRANGE, std::to_string(steps)); }

void ProgressReporter::Step() const {
  ++steps_sent_;
  SendMessage(window_, BUILD_STEP, 0, 0);
}

void ProgressReporter::Reset() const { SendMessage(window_, BUILD_RESET, 0, 0); }

void ProgressReporter::File(const std::string& path) const { SendRecord(BUILD_FILE, path); }

}  // namespace orv
