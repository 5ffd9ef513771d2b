#include "sys/publish/curl_multi_loop.h"

#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace orv {

namespace {

void StartCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

TCurlMultiLoop::TCurlMultiLoop() {
  StartCurl();
  multi_ = curl_multi_init();
  if (!multi_) throw std::bad_alloc();
  curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &TCurlMultiLoop::OnSocket);
  curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
  curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &TCurlMultiLoop::OnTimer);
  curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
}

TCurlMultiLoop::~TCurlMultiLoop() {
  *alive_ = false;
  for (auto& [easy, finished] : running_) curl_multi_remove_handle(multi_, easy);
  curl_multi_cleanup(multi_);
  for (auto& [fd, watch] : watches_) RemoveWatch(watch);
  RemoveTimer(timer_);
}

void TCurlMultiLoop::Add(CURL* easy, Finished finished) {
  running_[easy] = std::move(finished);
  curl_multi_add_handle(multi_, easy);
}

void TCurlMultiLoop::Remove(CURL* easy) {
  if (running_.erase(easy) != 0) curl_multi_remove_handle(multi_, easy);
}

int TCurlMultiLoop::OnSocket(CURL*, curl_socket_t fd, int what, void* self_pointer, void*) {
  auto* self = static_cast<TCurlMultiLoop*>(self_pointer);
  auto found = self->watches_.find(fd);
  if (what == CURL_POLL_REMOVE) {
    if (found != self->watches_.end()) {
      RemoveWatch(found->second);
      self->watches_.erase(found);
    }
    return 0;
  }
  Readiness events = Readiness::None;
  if (what == CURL_POLL_IN || what == CURL_POLL_INOUT) events = events | Readiness::Read;
  if (what == CURL_POLL_OUT || what == CURL_POLL_INOUT) events = events | Readiness::Write;
  if (found != self->watches_.end()) {
    SetWatchEvents(found->second, events);
  } else {
    self->watches_[fd] = WatchDescriptor(fd, events, [self, fd](Readiness seen) {
      int mask = 0;
      if (Has(seen, Readiness::Read)) mask |= CURL_CSELECT_IN;
      if (Has(seen, Readiness::Write)) mask |= CURL_CSELECT_OUT;
      self->Action(fd, mask);
    });
  }
  return 0;
}

int TCurlMultiLoop::OnTimer(CURLM*, long timeout_ms, void* self_pointer) {
  auto* self = static_cast<TCurlMultiLoop*>(self_pointer);
  RemoveTimer(self->timer_);
  self->timer_ = 0;
  if (timeout_ms < 0) return 0;
  self->timer_ = AddTimer(std::chrono::milliseconds(timeout_ms), [self] {
    RemoveTimer(self->timer_);
    self->timer_ = 0;
    self->Action(CURL_SOCKET_TIMEOUT, 0);
  });
  return 0;
}

void TCurlMultiLoop::Action(curl_socket_t fd, int events) {
  int running = 0;
  curl_multi_socket_action(multi_, fd, events, &running);
  HandOutFinished();
}

void TCurlMultiLoop::HandOutFinished() {
  std::vector<std::pair<CURL*, CURLcode>> ended;
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi_, &left))
    if (message->msg == CURLMSG_DONE) ended.emplace_back(message->easy_handle, message->data.result);
  const std::shared_ptr<bool> alive = alive_;
  for (auto [easy, result] : ended) {
    if (!*alive) return;
    auto found = running_.find(easy);
    if (found == running_.end()) continue;
    Finished finished = std::move(found->second);
    running_.erase(found);
    curl_multi_remove_handle(multi_, easy);
    finished(result);
  }
}

}  // namespace orv
