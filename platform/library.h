// Loading shared libraries by name and looking up their exports: the stand-in
// for the platform's library loader.
#pragma once

#include <string>

namespace orv {

// Opens a shared library: first as a file in the running program's folder,
// then in the folder of ORV's own libraries (where liborvplatform.so lies),
// then by name through the system's usual search. Returns null and sets
// `error` to the loader's message when neither works.
void* LoadLibrary(const std::string& name, std::string& error);

// The address of an export, or null (with `error` set) when it is missing.
void* GetProcAddress(void* library, const std::string& name, std::string& error);

// One of a run of look-ups: the export `name` of `library` into `function`,
// unless `error` already says why the library or an earlier export cannot
// be had (then `function` is left as it is). The run has found everything
// when `error` is still empty at its end.
template <class Function>
void FindProc(void* library, const char* name, Function*& function, std::string& error) {
  if (library == nullptr || !error.empty()) return;
  function = reinterpret_cast<Function*>(GetProcAddress(library, name, error));
}

}  // namespace orv
