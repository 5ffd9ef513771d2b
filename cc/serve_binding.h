// How orvcc reaches the preview server: liborvserve.so opened by name (from
// orvcc's folder first) for --serve only, and its entry points looked up.
#pragma once

#include <string>

#include "cc/serve/serve_api.h"

namespace orv {

// The preview server of one orvcc --serve run.
class ServeBinding {
 public:
  ServeBinding() = default;
  ~ServeBinding();
  ServeBinding(const ServeBinding&) = delete;
  ServeBinding& operator=(const ServeBinding&) = delete;

  // Loads the library and starts serving `root` on `address` and `port` (0:
  // any free port); the port it listens on in `bound`. False, with the
  // reason in `error`, when it cannot.
  bool Start(const std::string& root, const std::string& address, int port, int& bound, std::string& error);

  // A build has ended (see orv_serve_reload).
  void Reload(const std::string& root);

 private:
  OrvPreviewServer* server_ = nullptr;
  OrvServeReloadProc reload_ = nullptr;
  OrvServeStopProc stop_ = nullptr;
};

}  // namespace orv
