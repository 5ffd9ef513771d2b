#include "cc/core_binding.h"

#include "platform/library.h"

namespace orv {

bool LoadCore(CoreEntry& entry, std::string& error) {
  std::string reason;
  void* core = LoadLibrary("liborvcore.so", reason);
  if (!core) {
    error = "cannot load liborvcore.so: " + reason;
    return false;
  }
  FindProc(core, "ProcessProject", entry.process_project, reason);
  FindProc(core, "orv_core_last_error", entry.last_error, reason);
  FindProc(core, "orv_core_set_limit", entry.set_limit, reason);
  FindProc(core, "orv_core_set_report", entry.set_report, reason);
  FindProc(core, "orv_core_last_counts", entry.last_counts, reason);
  FindProc(core, "orv_core_last_inputs", entry.last_inputs, reason);
  FindProc(core, "orv_core_last_inputs_id", entry.last_inputs_id, reason);
  FindProc(core, "orv_core_vouch", entry.vouch, reason);
  if (!reason.empty()) {
    error = "liborvcore.so cannot be used: " + reason;
    return false;
  }
  return true;
}

}  // namespace orv
