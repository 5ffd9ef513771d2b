#include "core/script/event_types.h"

#include "core/script/compiler_error.h"
#include "core/script/engine_state.h"

namespace orv {

void DispatchToBinding(TObject* binding, TObject* sender, std::vector<Variant>& args) {
  auto* target = dynamic_cast<IEventBinding*>(binding);
  if (!target) throw ECompilerError("Event binding is not valid");
  target->Dispatch(sender, args);
}

void RegisterEventType(std::string_view name, EventThunk thunk, std::string_view binding_class,
                       bool has_sender, std::vector<bool> by_ref) {
  TEventListItem item;
  item.Thunk = thunk;
  item.BindingClass = std::string(binding_class);
  item.HasSender = has_sender;
  item.ByRef = std::move(by_ref);
  State().event_types.Add(name, std::move(item));
}

const TEventListItem* FindEventType(std::string_view name) {
  EngineState& state = State();
  int32_t number = state.event_types.Find(name);
  return number < 0 ? nullptr : &state.event_types.At(number);
}

}  // namespace orv
