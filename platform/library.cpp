#include "platform/library.h"

#include <dlfcn.h>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace orv {

static std::string LoaderError() {
  const char* message = ::dlerror();
  return message ? message : "unknown error";
}

// The folder of this library: ORV's libraries are installed side by side, so
// one of them is found beside liborvplatform.so wherever the program lies.
static std::string OwnFolder() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<const void*>(&OwnFolder), &info) == 0 || info.dli_fname == nullptr) return {};
  return ExtractFilePath(info.dli_fname);
}

void* LoadLibrary(const std::string& name, std::string& error) {
  if (name.find('/') == std::string::npos) {
    for (const std::string& folder : {ProgramDir(), OwnFolder()}) {
      const std::string beside = folder + name;
      if (folder.empty() || !FileExists(beside)) continue;
      if (void* handle = ::dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
      error = LoaderError();
      return nullptr;
    }
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
