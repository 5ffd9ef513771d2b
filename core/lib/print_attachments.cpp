#include "core/lib/print_attachments.h"

#include <cstdint>

namespace orv {
namespace {

struct Attachments {
  uint32_t print_log = 0;
  uint32_t error_log = 0;
  std::function<void(const std::string&)> control;
  bool error_flag = false;
};

Attachments& State() {
  static Attachments state;
  return state;
}

TStrings* ListOf(uint32_t handle) { return dynamic_cast<TStrings*>(ObjectFromHandle(handle)); }

}  // namespace

void SetPrintLog(TStrings* lines) { State().print_log = lines ? lines->Handle() : 0; }
TStrings* PrintLog() { return ListOf(State().print_log); }

void SetErrorLog(TStrings* lines) { State().error_log = lines ? lines->Handle() : 0; }
TStrings* ErrorLog() { return ListOf(State().error_log); }

void SetPrintControl(std::function<void(const std::string&)> control) { State().control = std::move(control); }
const std::function<void(const std::string&)>& PrintControl() { return State().control; }

bool ErrorFlag() { return State().error_flag; }
void SetErrorFlag(bool flag) { State().error_flag = flag; }

}  // namespace orv
