// Reads a text form file into components: the root object's properties into
// a given component (a form), each nested object into a new component of its
// class owned by the root and placed inside its enclosing object. Event
// properties that name a handler ask the method-lookup hook, whose answer is
// stored in the property with the name. A nested "inherited" object names a
// component the root already has (read from an ancestor's form file) and
// changes its properties; collections fill a sub-object's items.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "components/component.h"
#include "components/form_text.h"

namespace orv {

// Answers a handler name of a form file with a number that the event
// property keeps until the handler is bound.
using MethodLookup = std::function<intptr_t(const std::string& method_name)>;

// How a form file is read.
struct FormReadOptions {
  std::string file_name;      // names the file in errors
  MethodLookup find_method;   // asked for each handler name; none stores 0
  // Runs once every property is set, before the components' Loaded (where a
  // form runs OnCreate): the place to bind handlers to the stored answers.
  std::function<void()> before_loaded;
};

// Reads `text` into `root`: root takes the file's root object's name and
// properties; nested objects become components owned by root. Returns the
// class name the file gives the root ("TForm1"). EFormFileError (file and
// line) for text that cannot be read, an unknown class or property, or a
// value a property cannot take; components read so far stay with root.
std::string ReadForm(std::string_view text, TComponent& root, const FormReadOptions& options);

// The code of each handler name a form file may use, for forms whose
// handlers are C++ functions.
using HandlerTable = std::map<std::string, std::function<void(TObject* sender, EventArgs& args)>>;

// A component that the class of a form keeps in a field: set from the
// component of `name` once the file is read; `assign` answers false when the
// component is of a class the field cannot hold.
struct FieldBinding {
  std::string name;
  std::function<bool(TComponent* component)> assign;
};

// Reads `text` into `root` as ReadForm does, gives every event property
// that names a handler the code `handlers` has for it, and sets `fields`,
// all before the components' Loaded. A handler name the table lacks, and a
// field whose component is missing or of another class, are errors of the
// file.
std::string ReadFormWithHandlers(std::string_view text, TComponent& root, const std::string& file_name,
                                 const HandlerTable& handlers, const std::vector<FieldBinding>& fields = {});

// The largest form file the readers of files take.
inline constexpr size_t kMaxFormFileBytes = size_t{64} << 20;

// Reads the regular form file at `path` (EInOutError when it cannot be
// read, is not a regular file or is larger than kMaxFormFileBytes).
std::string ReadFormFile(const std::string& path, TComponent& root, const MethodLookup& find_method);

}  // namespace orv
