// libcurl's multi interface served by ORV's message loop: the sockets libcurl
// wants watched become descriptor watches and its timeout a loop timer, so
// transfers run between the window's events on the one thread, and a
// transfer is stopped at once by taking it out.
#pragma once

#include <curl/curl.h>

#include <functional>
#include <map>
#include <memory>

#include "platform/message_loop.h"

namespace orv {

// A libcurl multi handle whose transfers the message loop drives.
class TCurlMultiLoop {
 public:
  using Finished = std::function<void(CURLcode result)>;

  TCurlMultiLoop();
  ~TCurlMultiLoop();
  TCurlMultiLoop(const TCurlMultiLoop&) = delete;
  TCurlMultiLoop& operator=(const TCurlMultiLoop&) = delete;

  // Starts the transfer; `finished` runs from the loop when it ended, after
  // the transfer was taken out again. The caller keeps `easy` until then.
  void Add(CURL* easy, Finished finished);
  // Stops a running transfer without calling its `finished`.
  void Remove(CURL* easy);

 private:
  static int OnSocket(CURL* easy, curl_socket_t fd, int what, void* self, void* socket_data);
  static int OnTimer(CURLM* multi, long timeout_ms, void* self);
  // Tells libcurl what happened on `fd` (or that its time came) and hands
  // out the transfers that ended.
  void Action(curl_socket_t fd, int events);
  void HandOutFinished();

  CURLM* multi_;
  std::map<curl_socket_t, LoopId> watches_;
  LoopId timer_ = 0;
  std::map<CURL*, Finished> running_;
  // Cleared when the object goes, so a `finished` that deletes it is safe.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace orv
