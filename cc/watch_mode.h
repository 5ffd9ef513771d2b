// orvcc --watch and --serve: the project is built, then built again each
// time one of the last build's inputs changes (once the changes have
// settled; a change during a build makes one more), until Ctrl-C or
// SIGTERM. With --serve the output folder is served over HTTP meanwhile
// (liborvserve.so) and open pages reload after each build.
#pragma once

#include <string>

#include "cc/core_binding.h"

namespace orv {

// How orvcc was asked to watch.
struct WatchOptions {
  bool Serve = false;
  std::string Address = "127.0.0.1";
  int Port = 8080;
  bool Quiet = false;
};

// Runs until stopped. Returns the exit status: 0 once stopped, 1 when the
// files cannot be watched or the server cannot start, 3 when
// liborvserve.so cannot be loaded.
int RunWatch(const CoreEntry& core, const std::string& project, const WatchOptions& options);

}  // namespace orv
