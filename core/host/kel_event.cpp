#include "core/host/kel_event.h"

#include <algorithm>
#include <cctype>

#include "components/published.h"
#include "core/script/object_value.h"
#include "platform/exception.h"
#include "platform/message_service.h"
#include "platform/paths.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

// `name` without a trailing "_<digits>"; `name` itself when it has none.
std::string WithoutInstanceNumber(const std::string& name) {
  size_t mark = name.rfind('_');
  if (mark == std::string::npos || mark == 0 || mark + 1 == name.size()) return name;
  bool digits = std::all_of(name.begin() + static_cast<std::ptrdiff_t>(mark) + 1, name.end(),
                            [](unsigned char c) { return std::isdigit(c) != 0; });
  return digits ? name.substr(0, mark) : name;
}

}  // namespace

const TIdentListItem& TKelEvent::Routine() {
  if (routine_) return *routine_;
  if (!Runner || !Runner->Compiled()) throw Exception("The script of " + MethodName + " is not compiled");
  std::string form = Owner() ? Owner()->Name() : std::string();
  std::string method = UpperCase(MethodName);
  auto lookup = [&](const std::string& name) -> const TIdentListItem* {
    routine_name_ = "T" + UpperCase(name) + "." + method;
    auto found = Runner->Identifiers.find(routine_name_);
    if (found == Runner->Identifiers.end() || found->second.Kind != TIdentListItem::kRoutine) return nullptr;
    return &found->second;
  };
  std::string shortened = WithoutInstanceNumber(form);
  routine_ = lookup(shortened);
  if (!routine_ && shortened != form) routine_ = lookup(form);
  if (!routine_) throw Exception("Procedure " + routine_name_ + " not found");
  return *routine_;
}

void TKelEvent::Dispatch(TObject* sender, std::vector<Variant>& args) {
  const TIdentListItem& routine = Routine();
  // Everything the run needs is copied first: the routine may free the form
  // and this binding with it; the shared runner stays alive meanwhile.
  std::shared_ptr<TKelRuner> runner = Runner;
  TBinProg& program = *runner->Program();
  const std::string prefix = routine_name_ + ".";
  auto slot_of = [&](const std::string& parameter) -> int32_t {
    auto found = runner->Identifiers.find(prefix + parameter);
    return found == runner->Identifiers.end() ? -1 : found->second.Index;
  };
  size_t first = 0;
  if (HasSender) {
    first = 1;
    int32_t sender_slot = slot_of("SENDER");
    if (sender_slot >= 0) program.Vars[static_cast<size_t>(sender_slot)] = ObjToVariant(sender);
    else ShowMessage(MessageKind::Error, "Script", "Parameter " + prefix + "Sender not found");
  }
  std::vector<int32_t> slots;
  for (size_t i = 0; i < args.size() && first + i < routine.ParamNames.size(); ++i) {
    int32_t slot = slot_of(routine.ParamNames[first + i]);
    if (slot >= 0) program.Vars[static_cast<size_t>(slot)] = args[i];
    slots.push_back(slot);
  }
  {
    ScriptRunLimits limits(TimeLimit, MemoryLimit);
    Execute(program, program.Labels[static_cast<size_t>(routine.Index)]);
  }
  for (size_t i = 0; i < slots.size(); ++i)
    if (slots[i] >= 0) args[i] = program.Vars[static_cast<size_t>(slots[i])];
}

void RegisterKelEventClass() {
  RegisterClassDescriptor({"TKelEvent", "TComponent", [](TComponent* owner) { return new TKelEvent(owner); }, {}});
}

}  // namespace orv
