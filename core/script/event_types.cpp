#include "core/script/event_types.h"

#include <cstdint>

#include "core/script/compiler_error.h"
#include "core/script/engine_state.h"
#include "core/script/object_value.h"

namespace orv {
namespace {

// The first character of `text`: one byte, or the whole sequence of a UTF-8
// character (texts are bytes; UTF-8 passes through).
std::string FirstCharacter(const std::string& text) {
  if (text.empty()) return std::string();
  auto lead = static_cast<unsigned char>(text[0]);
  size_t length = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (length > text.size()) return text.substr(0, 1);
  for (size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return text.substr(0, 1);
  return text.substr(0, length);
}

Variant ToScriptValue(EventArgKind kind, const PropertyValue& value) {
  switch (kind) {
    case EventArgKind::Object:
      if (auto* object = std::get_if<TObject*>(&value)) return ObjToVariant(*object);
      return Variant();
    case EventArgKind::Integer:
      if (auto* number = std::get_if<int64_t>(&value)) return Variant(static_cast<int32_t>(*number));
      if (auto* flag = std::get_if<bool>(&value)) return Variant(static_cast<int32_t>(*flag));
      return Variant(0);
    case EventArgKind::Boolean:
      if (auto* flag = std::get_if<bool>(&value)) return Variant(*flag);
      if (auto* number = std::get_if<int64_t>(&value)) return Variant(*number != 0);
      return Variant(false);
    case EventArgKind::Char:
      if (auto* text = std::get_if<std::string>(&value)) return Variant(FirstCharacter(*text));
      return Variant(std::string());
    case EventArgKind::String:
      if (auto* text = std::get_if<std::string>(&value)) return Variant(*text);
      return Variant(std::string());
  }
  return Variant();
}

PropertyValue FromScriptValue(EventArgKind kind, const Variant& value) {
  switch (kind) {
    case EventArgKind::Object:
      return PropertyValue(VariantToObj(value));
    case EventArgKind::Integer:
      return PropertyValue(int64_t{value.AsInteger()});
    case EventArgKind::Boolean:
      return PropertyValue(value.AsBoolean());
    case EventArgKind::Char: {
      std::string character = FirstCharacter(value.AsString());
      return PropertyValue(character.empty() ? std::string(1, '\0') : character);
    }
    case EventArgKind::String:
      return PropertyValue(value.AsString());
  }
  return PropertyValue();
}

}  // namespace

EventThunk MakeEventThunk(std::vector<EventArgSpec> specs) {
  return [specs = std::move(specs)](TObject* binding, TObject* sender, EventArgs& args) {
    auto* target = dynamic_cast<IEventBinding*>(binding);
    if (!target) throw ECompilerError("Event binding is not valid");
    std::vector<Variant> values;
    values.reserve(specs.size());
    for (size_t i = 0; i < specs.size(); ++i)
      values.push_back(i < args.size() ? ToScriptValue(specs[i].kind, args[i]) : Variant());
    // The routine may free the object that holds this thunk: only locals
    // are used after the call.
    std::vector<EventArgSpec> kinds = specs;
    target->Dispatch(sender, values);
    for (size_t i = 0; i < kinds.size() && i < args.size() && i < values.size(); ++i)
      if (kinds[i].by_ref) args[i] = FromScriptValue(kinds[i].kind, values[i]);
  };
}

void RegisterEventType(std::string_view name, std::string_view binding_class, bool has_sender,
                       std::vector<EventArgSpec> args) {
  EventThunk thunk = MakeEventThunk(args);
  RegisterEventType(name, std::move(thunk), binding_class, has_sender, std::move(args));
}

void RegisterEventType(std::string_view name, EventThunk thunk, std::string_view binding_class, bool has_sender,
                       std::vector<EventArgSpec> args) {
  TEventListItem item;
  item.Thunk = std::move(thunk);
  item.BindingClass = std::string(binding_class);
  item.HasSender = has_sender;
  item.Args = std::move(args);
  State().event_types.Add(name, std::move(item));
}

const TEventListItem* FindRegisteredEventType(std::string_view name) {
  EngineState& state = State();
  int32_t number = state.event_types.Find(name);
  return number < 0 ? nullptr : &state.event_types.At(number);
}

}  // namespace orv
