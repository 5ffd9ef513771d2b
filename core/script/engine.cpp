#include "core/script/engine.h"

#include "components/object.h"
#include "core/script/compiler_error.h"
#include "core/script/engine_state.h"

namespace orv {
namespace {

int startup_count = 0;

// Routines the hosts register at start-up, a little more than the script
// library has (about 800), so that registering them never grows the tables.
constexpr size_t kLibraryFunctions = 1024;

// A plain pointer, owned between EngineStartup and EngineShutdown: hosts
// start and stop the engine from objects of their own that live as long as
// the process, and an owning object here would be destroyed at exit in
// whatever order the libraries' start-up set, possibly before the host's
// EngineShutdown, which would then delete the state a second time.
EngineState* state = nullptr;

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
  using K = EventArgKind;
  const EventArgSpec object{K::Object}, integer{K::Integer}, flag{K::Boolean};
  const EventArgSpec var_integer{K::Integer, true}, var_flag{K::Boolean, true};
  const struct {
    const char* name;
    bool has_sender;
    std::vector<EventArgSpec> args;
  } kTypes[] = {
      {"TNotifyEvent", true, {}},
      {"TQRNotifyEvent", true, {}},
      {"TQRAfterPrintEvent", true, {}},
      {"TQRAfterPreviewEvent", true, {}},
      {"TCloseEvent", true, {var_integer}},
      {"TCloseQueryEvent", true, {var_flag}},
      {"TDragDropEvent", true, {object, integer, integer}},
      {"TDragOverEvent", true, {object, integer, integer, integer, var_flag}},
      {"TEndDragEvent", true, {object, integer, integer}},
      {"TStartDragEvent", true, {{K::Object, true}}},
      {"TKeyPressEvent", true, {{K::Char, true}}},
      {"TKeyEvent", true, {var_integer, integer}},
      {"TMouseEvent", true, {integer, integer, integer, integer}},
      {"TMouseMoveEvent", true, {integer, integer, integer}},
      {"THelpEvent", false, {integer, integer, var_flag}},
      {"TQRFilterEvent", false, {var_flag}},
      {"TQROnNeedDataEvent", true, {var_flag}},
      {"TQRNotifyOperationEvent", true, {integer}},
      {"TQRBandBeforePrintEvent", true, {var_flag}},
      {"TQRBandAfterPrintEvent", true, {flag}},
      {"TQRReportBeforePrintEvent", true, {var_flag}},
      {"TQRLabelOnPrintEvent", true, {{K::String, true}}},
      {"TQRProgressUpdateEvent", true, {integer}},
      {"TQRPageAvailableEvent", true, {integer}},
  };
  for (const auto& t : kTypes) RegisterEventType(t.name, "TKelEvent", t.has_sender, t.args);
}

}  // namespace

EngineState& State() {
  if (!state) throw ECompilerError("Script engine not started");
  return *state;
}

void EngineStartup() {
  if (startup_count++ > 0) return;
  state = new EngineState();
  state->functions.Reserve(kLibraryFunctions);
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
  if (--startup_count == 0) {
    delete state;
    state = nullptr;
  }
}

bool EngineStarted() { return state != nullptr; }

}  // namespace orv
