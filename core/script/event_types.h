// Event types: for every event property type that scripts can handle
// ("TNotifyEvent", "TMouseEvent", ...) the routine that forwards a firing of
// the event to its binding component, the class of that binding component,
// and the shape of the event's arguments.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "components/object.h"
#include "core/script/variant.h"

namespace orv {

// Forwards one firing of an event to `binding`: `sender` (nullptr for event
// types without one) and the further arguments in event order; arguments the
// event takes by reference are written back into `args`.
using EventThunk = void (*)(TObject* binding, TObject* sender, std::vector<Variant>& args);

// The interface of a binding component (the script component module's
// TKelEvent implements it): runs the script routine bound to one event.
class IEventBinding {
 public:
  virtual ~IEventBinding() = default;
  virtual void Dispatch(TObject* sender, std::vector<Variant>& args) = 0;
};

// The thunk of the standard event types: calls Dispatch of `binding`, which
// must implement IEventBinding (ECompilerError "Event binding is not valid"
// otherwise).
void DispatchToBinding(TObject* binding, TObject* sender, std::vector<Variant>& args);

// One event type.
struct TEventListItem {
  EventThunk Thunk = nullptr;
  std::string BindingClass;
  bool HasSender = true;
  // One entry per argument after the sender: true when the handler's value is
  // written back to the event's caller.
  std::vector<bool> ByRef;
};

// Registers (or replaces) an event type under `name` (any case).
void RegisterEventType(std::string_view name, EventThunk thunk, std::string_view binding_class,
                       bool has_sender = true, std::vector<bool> by_ref = {});

// The event type `name` (any case); nullptr when it is not registered.
const TEventListItem* FindEventType(std::string_view name);

}  // namespace orv
