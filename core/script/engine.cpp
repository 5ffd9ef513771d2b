#include "core/script/engine.h"

#include <memory>

#include "components/object.h"
#include "core/script/compiler_error.h"
#include "core/script/engine_state.h"

namespace orv {
namespace {

int startup_count = 0;
std::unique_ptr<EngineState> state;

void RegisterBuiltinConstants() {
  static const struct {
    const char* name;
    int32_t value;
  } kConstants[] = {
      {"qrMasterDataAdvance", 0}, {"qrBandPrinted", 1}, {"qrBandSizeChange", 2},
      {"mbLeft", 0},   {"mbRight", 1},  {"mbMiddle", 2},
      {"ssShift", 0},  {"ssAlt", 1},    {"ssCtrl", 2},    {"ssLeft", 3},
      {"ssRight", 4},  {"ssMiddle", 5}, {"ssDouble", 6},
  };
  for (const auto& c : kConstants) RegisterConst(c.name, Variant(c.value));
}

void RegisterStandardEventTypes() {
  static const struct {
    const char* name;
    bool has_sender;
    std::vector<bool> by_ref;
  } kTypes[] = {
      {"TNotifyEvent", true, {}},
      {"TQRNotifyEvent", true, {}},
      {"TQRAfterPrintEvent", true, {}},
      {"TQRAfterPreviewEvent", true, {}},
      {"TCloseEvent", true, {true}},
      {"TCloseQueryEvent", true, {true}},
      {"TDragDropEvent", true, {false, false, false}},
      {"TDragOverEvent", true, {false, false, false, false, true}},
      {"TEndDragEvent", true, {false, false, false}},
      {"TStartDragEvent", true, {true}},
      {"TKeyPressEvent", true, {true}},
      {"TKeyEvent", true, {true, false}},
      {"TMouseEvent", true, {false, false, false, false}},
      {"TMouseMoveEvent", true, {false, false, false}},
      {"THelpEvent", false, {false, false, true}},
      {"TQRFilterEvent", false, {true}},
      {"TQROnNeedDataEvent", true, {true}},
      {"TQRNotifyOperationEvent", true, {false}},
      {"TQRBandBeforePrintEvent", true, {true}},
      {"TQRBandAfterPrintEvent", true, {false}},
      {"TQRReportBeforePrintEvent", true, {true}},
      {"TQRLabelOnPrintEvent", true, {true}},
      {"TQRProgressUpdateEvent", true, {false}},
      {"TQRPageAvailableEvent", true, {false}},
  };
  for (const auto& t : kTypes) {
    RegisterEventType(t.name, DispatchToBinding, "TKelEvent", t.has_sender, t.by_ref);
  }
}

}  // namespace

EngineState& State() {
  if (!state) throw ECompilerError("Script engine not started");
  return *state;
}

void EngineStartup() {
  if (startup_count++ > 0) return;
  state = std::make_unique<EngineState>();
  RegisterDynaVars(
      "__InternalVar", nullptr,
      [](int32_t id) { return InternalVars().GetVar(id); },
      [](int32_t id, const Variant& value) { InternalVars().SetVar(id, value); },
      [](const std::string& name) { return InternalVars().VarNameTOId(name); });
  RegisterClass("TKelComp", "TComponent");
  RegisterClass("TKelEvent", "TComponent");
  RegisterBuiltinConstants();
  RegisterStandardEventTypes();
}

void EngineShutdown() {
  if (startup_count == 0) return;
  if (--startup_count == 0) state.reset();
}

bool EngineStarted() { return state != nullptr; }

}  // namespace orv
