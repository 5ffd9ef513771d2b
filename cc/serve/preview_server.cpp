#include "cc/serve/preview_server.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <httplib.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>

#include "cc/serve/live_reload.h"
#include "cc/serve/served_files.h"
#include "platform/files.h"

namespace orv {

namespace {

// Threads that answer requests: every open page holds one for its event
// stream.
constexpr size_t kThreads = 32;
// How often an idle event stream sends a comment, which also finds clients
// that went away.
constexpr auto kKeepAlive = std::chrono::seconds(15);

std::string Resolved(const std::string& folder) {
  char* resolved = ::realpath(folder.c_str(), nullptr);
  if (!resolved) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
  }
  std::string result = resolved;
  std::free(resolved);
  return result;
}

// Sends the open file `fd` of `size` bytes as the response body, closing it
// once sent.
void SendFile(httplib::Response& response, int fd, size_t size, const std::string& type) {
  response.set_content_provider(
      size, type,
      [fd](size_t offset, size_t length, httplib::DataSink& sink) {
        char buffer[64 * 1024];
        const ssize_t got = ::pread(fd, buffer, length < sizeof buffer ? length : sizeof buffer,
                                    static_cast<off_t>(offset));
        return got > 0 && sink.write(buffer, static_cast<size_t>(got));
      },
      [fd](bool) { ::close(fd); });
}

}  // namespace

PreviewServer::PreviewServer(const std::string& root)
    : server_(std::make_unique<httplib::Server>()), root_(Resolved(root)) {
  // A server started again has another number, so that the pages it sent
  // before reload when their event streams come back.
  build_ = std::random_device()() | (uint64_t{std::random_device()()} << 32);
  server_->new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
  // A page's idle connection is closed soon, so that stopping waits little.
  server_->set_keep_alive_timeout(1);
  // Only SO_REUSEADDR: a port another server listens on is refused, not
  // shared.
  server_->set_socket_options([](int socket) {
    int yes = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  server_->Get(kLiveReloadPath, [this](const httplib::Request& request, httplib::Response& response) {
    Events(request, response);
  });
  server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
    Serve(request, response);
  });
}

PreviewServer::~PreviewServer() { Stop(); }

int PreviewServer::Start(const std::string& address, int port) {
  errno = 0;
  const int bound = port == 0 ? server_->bind_to_any_port(address) : server_->bind_to_port(address, port) ? port : -1;
  if (bound <= 0) {
    const int error = errno;
    throw std::runtime_error("cannot listen on " + address + ":" + std::to_string(port) +
                             (error ? std::string(" (") + std::strerror(error) + ")" : std::string()));
  }
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  return bound;
}

void PreviewServer::Reload(const std::string& root) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    root_ = Resolved(root);
    ++build_;
  }
  changed_.notify_all();
}

void PreviewServer::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  server_->stop();
  if (thread_.joinable()) thread_.join();
}

void PreviewServer::Serve(const httplib::Request& request, httplib::Response& response) {
  std::string root;
  uint64_t build = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    root = root_;
    build = build_;
  }
  // Every answer is fresh: the next build may change it.
  response.set_header("Cache-Control", "no-store");
  const ServedFile found = FindServedFile(root, request.path);
  if (found.Found == ServedFile::Kind::Folder) {
    const size_t query = request.target.find('?');
    response.set_redirect(request.target.substr(0, query) + "/" +
                              (query == std::string::npos ? std::string() : request.target.substr(query)),
                          301);
    return;
  }
  if (found.Found == ServedFile::Kind::None) return NotFound(root, request.path, response);
  const std::string type = ContentTypeOf(found.Path);
  if (IsHtmlType(type)) {
    std::string page;
    if (ReadRegularFile(found.Path, page) == FileRead::Read)
      return response.set_content(WithLiveReload(std::move(page), build), type);
    return NotFound(root, request.path, response);
  }
  const int fd = ::open(found.Path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st;
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    if (fd >= 0) ::close(fd);
    return NotFound(root, request.path, response);
  }
  SendFile(response, fd, static_cast<size_t>(st.st_size), type);
}

void PreviewServer::NotFound(const std::string& root, const std::string& request, httplib::Response& response) {
  uint64_t build = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    build = build_;
  }
  response.status = 404;
  std::string page;
  const ServedFile own = FindServedFile(root, "/404.html");
  if (own.Found != ServedFile::Kind::File || ReadRegularFile(own.Path, page) != FileRead::Read) {
    std::string shown;
    for (char c : request) shown += c == '<' ? "&lt;" : c == '&' ? "&amp;" : std::string(1, c);
    page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Not found</title></head><body>\n"
           "<h1>Not found</h1>\n<p>" + shown + " is not in the output folder " + root +
           ". The page reloads when a build makes it.</p>\n</body></html>\n";
  }
  response.set_content(WithLiveReload(std::move(page), build), "text/html");
}

void PreviewServer::Events(const httplib::Request& request, httplib::Response& response) {
  uint64_t seen = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    seen = build_;
  }
  // A page sent before the last build (or by another server) reloads at once.
  const std::string since = request.get_param_value("since");
  const bool behind = !since.empty() && since != std::to_string(seen);
  response.set_header("Cache-Control", "no-store");
  response.set_chunked_content_provider(
      "text/event-stream", [this, seen, behind, started = false](size_t, httplib::DataSink& sink) mutable {
        if (!started) {
          started = true;
          const std::string head = "retry: 1000\n\n" + (behind ? ReloadEvent(seen) : std::string());
          return sink.write(head.data(), head.size());
        }
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_for(lock, kKeepAlive, [&] { return stopping_ || build_ != seen; });
        if (stopping_) return false;
        std::string text = ": waiting for the next build\n\n";
        if (build_ != seen) {
          seen = build_;
          text = ReloadEvent(seen);
        }
        lock.unlock();
        return sink.write(text.data(), text.size());
      });
}

}  // namespace orv
