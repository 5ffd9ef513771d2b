// The root of every object that scripts and dialogs can hold: TObject, the
// class registry that knows each class's parent, and the process-wide table of
// 32-bit object handles through which objects travel inside script values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// A message handed to an object's dispatch: its number and two parameters,
// and the answer a handler leaves.
struct TMessage {
  uint32_t Msg = 0;
  int64_t WParam = 0;
  int64_t LParam = 0;
  int64_t Result = 0;
};

// Root object class. Every object gets a process-wide 32-bit handle the first
// time it is asked for one; destroying the object retires the handle, so a
// stale handle finds nothing instead of freed memory. Handles are never reused.
class TObject {
 public:
  TObject() = default;
  virtual ~TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  // The class name as scripts and form files spell it ("TObject", "TStringList").
  virtual std::string ClassName() const { return "TObject"; }

  // True when this object's class is `class_name` or derives from it, by the
  // class registry's parent chain (names compared without case).
  bool InheritsFrom(std::string_view class_name) const;

  // This object's handle (never 0).
  uint32_t Handle();

  // The size in bytes of this object's class; each class overrides it.
  virtual size_t InstanceSize() const { return sizeof(TObject); }

  // Releases what the object holds (texts, lists) without destroying it; the
  // object stays usable and reads as empty afterwards.
  virtual void CleanupInstance() {}

  // Hands `message` to the handler this class has for its number; a class
  // without one passes it to DefaultHandler, which leaves it unanswered.
  virtual void Dispatch(TMessage& message) { DefaultHandler(message); }
  virtual void DefaultHandler(TMessage&) {}

 private:
  uint32_t handle_ = 0;
};

namespace detail {
// The object found by the last lookup of a handle, so that a loop of calls on
// one object finds it without searching; destroying the object forgets it.
struct LastObjectLookup {
  uint32_t handle = 0;
  TObject* object = nullptr;
};
extern LastObjectLookup last_object_lookup;
// ObjectFromHandle for a handle other than the last one looked up.
TObject* FindObjectFromHandle(uint32_t handle);
}  // namespace detail

// The live object behind `handle`; nullptr for 0, an unknown or a retired handle.
inline TObject* ObjectFromHandle(uint32_t handle) {
  if (handle != 0 && handle == detail::last_object_lookup.handle) return detail::last_object_lookup.object;
  return detail::FindObjectFromHandle(handle);
}

// Makes `name` known with `parent` as its parent class ("" for a root class).
// Registering a name again replaces its parent. Names are compared without case.
void RegisterClass(std::string_view name, std::string_view parent);

// True when `name` has been registered.
bool IsClassRegistered(std::string_view name);

// The registered parent of `name`, with the parent's registered spelling;
// empty when `name` is unknown or has no parent.
std::string ClassParent(std::string_view name);

}  // namespace orv
