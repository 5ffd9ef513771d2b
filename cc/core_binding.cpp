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
  entry.process_project = reinterpret_cast<ProcessProjectProc>(GetProcAddress(core, "ProcessProject", reason));
  if (entry.process_project)
    entry.last_error = reinterpret_cast<const char* (*)()>(GetProcAddress(core, "orv_core_last_error", reason));
  if (entry.last_error)
    entry.set_limit = reinterpret_cast<SetLimitProc>(GetProcAddress(core, "orv_core_set_limit", reason));
  if (entry.set_limit)
    entry.set_report = reinterpret_cast<SetReportProc>(GetProcAddress(core, "orv_core_set_report", reason));
  if (entry.set_report)
    entry.last_counts = reinterpret_cast<LastCountsProc>(GetProcAddress(core, "orv_core_last_counts", reason));
  if (entry.last_counts)
    entry.last_inputs = reinterpret_cast<LastInputsProc>(GetProcAddress(core, "orv_core_last_inputs", reason));
  if (entry.last_inputs)
    entry.last_inputs_id = reinterpret_cast<LastInputsIdProc>(GetProcAddress(core, "orv_core_last_inputs_id", reason));
  if (entry.last_inputs_id)
    entry.vouch = reinterpret_cast<VouchProc>(GetProcAddress(core, "orv_core_vouch", reason));
  if (!entry.process_project || !entry.last_error || !entry.set_limit || !entry.set_report || !entry.last_counts ||
      !entry.last_inputs || !entry.last_inputs_id || !entry.vouch) {
    error = "liborvcore.so cannot be used: " + reason;
    return false;
  }
  return true;
}

}  // namespace orv
