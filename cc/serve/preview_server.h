// The preview server of orvcc --serve: sends the files of a project's output
// folder over HTTP (cpp-httplib, on threads of its own) with their content
// types, a folder's index.html for the folder, and a 404 page (the site's
// own 404.html when it has one) for anything else; HTML pages get the live
// reload script (live_reload.h). Nothing outside the folder is ever sent.
//
//   PreviewServer server("site/out");
//   int port = server.Start("127.0.0.1", 8080);  // 0: any free port
//   ... after each build: server.Reload("site/out");
//   server.Stop();
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace orv {

// A running preview server.
class PreviewServer {
 public:
  explicit PreviewServer(const std::string& root);
  ~PreviewServer();
  PreviewServer(const PreviewServer&) = delete;
  PreviewServer& operator=(const PreviewServer&) = delete;

  // Listens on `address` and `port` (0: a free port) and starts serving;
  // returns the port. Raises std::runtime_error when the address cannot be
  // bound ("cannot listen on ADDRESS:PORT").
  int Start(const std::string& address, int port);

  // A build has ended: serves `root` from now on and tells the open pages
  // to reload.
  void Reload(const std::string& root);

  // Ends the event streams and the server; waits for its threads.
  void Stop();

 private:
  void Serve(const httplib::Request& request, httplib::Response& response);
  void Events(const httplib::Request& request, httplib::Response& response);
  void NotFound(const std::string& root, const std::string& request, httplib::Response& response);

  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string root_;  // resolved, without a final '/'
  uint64_t build_ = 0;
  bool stopping_ = false;
};

}  // namespace orv
