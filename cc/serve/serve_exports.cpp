// The C entry points of liborvserve.so (serve_api.h) on PreviewServer.
#include <cstdio>
#include <exception>

#include "cc/serve/preview_server.h"
#include "cc/serve/serve_api.h"

struct OrvPreviewServer {
  explicit OrvPreviewServer(const char* root) : Server(root) {}
  orv::PreviewServer Server;
};

extern "C" OrvPreviewServer* orv_serve_start(const char* Root, const char* Address, int Port, int* BoundPort,
                                             char* Error, size_t ErrorSize) {
  const char* reason = "cannot start the server";
  try {
    auto* server = new OrvPreviewServer(Root ? Root : ".");
    try {
      const int port = server->Server.Start(Address ? Address : "127.0.0.1", Port);
      if (BoundPort) *BoundPort = port;
      return server;
    } catch (...) {
      delete server;
      throw;
    }
  } catch (const std::exception& e) {
    if (Error && ErrorSize > 0) std::snprintf(Error, ErrorSize, "%s", e.what());
    return nullptr;
  } catch (...) {
    if (Error && ErrorSize > 0) std::snprintf(Error, ErrorSize, "%s", reason);
    return nullptr;
  }
}

extern "C" void orv_serve_reload(OrvPreviewServer* Server, const char* Root) {
  if (!Server) return;
  try {
    Server->Server.Reload(Root ? Root : ".");
  } catch (...) {
  }
}

extern "C" void orv_serve_stop(OrvPreviewServer* Server) {
  try {
    delete Server;
  } catch (...) {
  }
}
