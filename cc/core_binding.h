// How orvcc reaches the core library at run time: liborvcore.so opened by
// name (from orvcc's folder first) and its entry points looked up.
#pragma once

#include <string>

#include "orv/core.h"

namespace orv {

// The entry points of the loaded core.
struct CoreEntry {
  ProcessProjectProc process_project = nullptr;
  const char* (*last_error)() = nullptr;
  SetLimitProc set_limit = nullptr;
  SetReportProc set_report = nullptr;
  LastCountsProc last_counts = nullptr;
  LastInputsProc last_inputs = nullptr;
  LastInputsIdProc last_inputs_id = nullptr;
  VouchProc vouch = nullptr;
};

// Loads liborvcore.so and looks up ProcessProject, orv_core_last_error,
// orv_core_set_limit, orv_core_set_report, orv_core_last_counts,
// orv_core_last_inputs, orv_core_last_inputs_id and
// orv_core_vouch. False, with `error` saying what is missing, when one
// cannot be had.
bool LoadCore(CoreEntry& entry, std::string& error);

}  // namespace orv
