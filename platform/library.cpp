#include "platform/library.h"

#include <dlfcn.h>

#include "platform/files.h"
#include "platform/folders.h"

namespace orv {

static std::string LoaderError() {
  const char* message = ::dlerror();
  return message ? message : "unknown error";
}

void* LoadLibrary(const std::string& name, std::string& error) {
  std::string beside = ProgramDir() + name;
  if (name.find('/') == std::string::npos && FileExists(beside)) {
    if (void* handle = ::dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
    error = LoaderError();
    return nullptr;
  }
  void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) error = LoaderError();
  return handle;
}

void* GetProcAddress(void* library, const std::string& name, std::string& error) {
  ::dlerror();
  void* address = ::dlsym(library, name.c_str());
  if (!address) error = "the library has no export " + name;
  return address;
}

}  // namespace orv
