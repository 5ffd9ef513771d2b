#include "cc/serve_binding.h"

#include "platform/library.h"

namespace orv {

ServeBinding::~ServeBinding() {
  if (server_) stop_(server_);
}

bool ServeBinding::Start(const std::string& root, const std::string& address, int port, int& bound,
                         std::string& error) {
  std::string reason;
  void* library = LoadLibrary("liborvserve.so", reason);
  OrvServeStartProc start = nullptr;
  FindProc(library, "orv_serve_start", start, reason);
  FindProc(library, "orv_serve_reload", reload_, reason);
  FindProc(library, "orv_serve_stop", stop_, reason);
  if (!library || !reason.empty()) {
    error = "cannot load liborvserve.so: " + reason;
    return false;
  }
  char message[512] = "";
  server_ = start(root.c_str(), address.c_str(), port, &bound, message, sizeof message);
  if (!server_) error = message;
  return server_ != nullptr;
}

void ServeBinding::Reload(const std::string& root) {
  if (server_) reload_(server_, root.c_str());
}

}  // namespace orv
