// Event types: for every event property type that scripts can handle
// ("TNotifyEvent", "TMouseEvent", ...) the thunk that forwards a firing of
// the event to its binding component, the class of that binding component,
// and the shape of the event's arguments.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "components/object.h"
#include "components/property_value.h"
#include "core/script/variant.h"

namespace orv {

// How one event argument after the sender reaches a script: an object as its
// handle (ObjToVariant), integers, enumeration values and sets as integers,
// a flag as a Boolean, a character as a one-character string (its first
// character goes back; the empty string goes back as #0), a text as a
// string. A character is one byte, or one UTF-8 sequence.
enum class EventArgKind { Object, Integer, Boolean, Char, String };

// One argument of an event type; `by_ref` when the routine's value goes back
// to the event's caller.
struct EventArgSpec {
  EventArgKind kind;
  bool by_ref = false;
};

// Forwards one firing of an event to `binding`: `sender` (nullptr for event
// types without one) and the further arguments as the component library
// passes them; arguments the event takes by reference are written back into
// `args`.
using EventThunk = std::function<void(TObject* binding, TObject* sender, EventArgs& args)>;

// The interface of a binding component (TKelEvent of the script host
// implements it): runs the script routine bound to one event with the
// arguments after the sender, and leaves the routine's parameter values in
// `args`.
class IEventBinding {
 public:
  virtual ~IEventBinding() = default;
  virtual void Dispatch(TObject* sender, std::vector<Variant>& args) = 0;
};

// The thunk of an event type whose arguments are `args`: converts the
// event's arguments to values, calls Dispatch of the binding, which must
// implement IEventBinding (ECompilerError "Event binding is not valid"
// otherwise), and converts the by-reference ones back. Arguments the event
// does not pass reach the routine as Empty and are not written back.
EventThunk MakeEventThunk(std::vector<EventArgSpec> args);

// One event type.
struct TEventListItem {
  EventThunk Thunk;
  std::string BindingClass;
  bool HasSender = true;
  std::vector<EventArgSpec> Args;
};

// Registers (or replaces) an event type under `name` (any case); its thunk
// is MakeEventThunk(args).
void RegisterEventType(std::string_view name, std::string_view binding_class, bool has_sender,
                       std::vector<EventArgSpec> args);
// The same with a thunk of the host's own.
void RegisterEventType(std::string_view name, EventThunk thunk, std::string_view binding_class, bool has_sender,
                       std::vector<EventArgSpec> args);

// The event type `name` (any case); nullptr when it is not registered.
const TEventListItem* FindRegisteredEventType(std::string_view name);

}  // namespace orv
