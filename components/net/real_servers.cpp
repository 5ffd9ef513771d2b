#include "components/net/real_servers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "components/net/test_servers.h"

namespace orv::net::testing {
namespace {

using Clock = std::chrono::steady_clock;

// How long a server may take to start listening.
constexpr std::chrono::seconds kStartTime(20);

bool Accepts(int port) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  bool connected = fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  if (fd >= 0) ::close(fd);
  return connected;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

ChildServer::ChildServer(const std::string& name, int port_count) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/orv-" + name + "-XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder for " + name);
  // The server may run as a user of its own (exim does): it must write here.
  ::chmod(pattern.c_str(), 0777);
  folder_ = pattern + "/";
  for (int i = 0; i < port_count; ++i) ports_.push_back(UnusedPort());
}

ChildServer::~ChildServer() {
  if (pid_ > 0) {
    // The whole process group: a server's own children (exim's deliveries) too.
    ::kill(-pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string ChildServer::FileText(const std::string& name) const {
  std::ifstream file(folder_ + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void ChildServer::WriteConfig(const std::string& name, std::string text) const {
  ReplaceAll(text, "{folder}", folder_);
  for (size_t i = 0; i < ports_.size(); ++i) ReplaceAll(text, "{port" + std::to_string(i) + "}", std::to_string(ports_[i]));
  std::ofstream(folder_ + name, std::ios::binary) << text;
}

void ChildServer::Run(const std::vector<std::string>& argv) {
  if (::access(argv.at(0).c_str(), X_OK) != 0) return;
  // Every change in the folder (a log line, the pid file) is a moment to
  // look whether the ports listen: no fixed waits.
  int changes = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  ::inotify_add_watch(changes, folder_.c_str(), IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO);
  const std::string output = folder_ + "output.txt";
  // Made before fork: the child of a process with threads may only make
  // plain system calls until it runs the program.
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = ::fork();
  if (pid == 0) {
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    int null_in = ::open("/dev/null", O_RDONLY);
    int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(null_in, 0);
    ::dup2(out, 1);
    ::dup2(out, 2);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  pid_ = pid;
  const Clock::time_point give_up = Clock::now() + kStartTime;
  for (;;) {
    bool all = true;
    for (int port : ports_) all = all && Accepts(port);
    if (all) break;
    int status = 0;
    const bool ended = ::waitpid(pid_, &status, WNOHANG) == pid_;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(give_up - Clock::now()).count();
    if (ended || left <= 0) {
      if (ended) pid_ = -1;
      ::close(changes);
      throw std::runtime_error(argv[0] + (ended ? " ended" : " did not listen") + ": " + FileText("output.txt"));
    }
    pollfd wait{changes, POLLIN, 0};
    if (::poll(&wait, 1, static_cast<int>(left)) > 0) {
      char events[4096];
      while (::read(changes, events, sizeof events) > 0) {
      }
    }
  }
  ::close(changes);
}

Nginx::Nginx(const std::string& server_blocks, int port_count) : ChildServer("nginx", port_count) {
  std::filesystem::create_directories(Folder() + "www");
  WriteConfig("nginx.conf",
              "daemon off;\n"
              "master_process off;\n"
              "pid {folder}nginx.pid;\n"
              "error_log {folder}error.log;\n"
              "events { worker_connections 64; }\n"
              "http {\n"
              "  access_log {folder}access.log;\n"
              "  client_body_temp_path {folder}body;\n"
              "  proxy_temp_path {folder}proxy;\n"
              "  fastcgi_temp_path {folder}fastcgi;\n"
              "  uwsgi_temp_path {folder}uwsgi;\n"
              "  scgi_temp_path {folder}scgi;\n"
              "  default_type application/octet-stream;\n"
              "  sendfile on;\n" +
                  server_blocks + "\n}\n");
  Run({"/usr/sbin/nginx", "-p", Folder(), "-e", Folder() + "error.log", "-c", Folder() + "nginx.conf"});
}

std::string Nginx::Url(const std::string& path, int port_index) const {
  return "http://127.0.0.1:" + std::to_string(Ports().at(static_cast<size_t>(port_index))) + path;
}

TinyProxy::TinyProxy(const std::string& user, const std::string& password) : ChildServer("tinyproxy", 1) {
  WriteConfig("tinyproxy.conf", "Port {port0}\n"
                                "Listen 127.0.0.1\n"
                                "Timeout 30\n"
                                "PidFile \"{folder}tinyproxy.pid\"\n"
                                "LogFile \"{folder}tinyproxy.log\"\n"
                                "LogLevel Info\n"
                                "MaxClients 10\n"
                                "Allow 127.0.0.1\n"
                                "DisableViaHeader Yes\n" +
                                    (user.empty() ? "" : "BasicAuth " + user + " " + password + "\n"));
  Run({"/usr/bin/tinyproxy", "-d", "-c", Folder() + "tinyproxy.conf"});
}

EximRelay::EximRelay(int relay_port) : ChildServer("exim", 1) {
  WriteConfig("exim.conf", "keep_environment =\n"
                           "primary_hostname = relay.orv-test.invalid\n"
                           "spool_directory = {folder}spool\n"
                           "log_file_path = {folder}%slog\n"
                           "acl_smtp_rcpt = accept_all\n"
                           "acl_smtp_data = accept_all\n"
                           "begin acl\n"
                           "accept_all:\n"
                           "  accept\n"
                           "begin routers\n"
                           "relay:\n"
                           "  driver = manualroute\n"
                           "  route_list = * 127.0.0.1\n"
                           "  transport = next_relay\n"
                           "  self = send\n"
                           "begin transports\n"
                           "next_relay:\n"
                           "  driver = smtp\n"
                           "  port = " + std::to_string(relay_port) + "\n"
                           "  allow_localhost\n");
  Run({"/usr/sbin/exim4", "-C", Folder() + "exim.conf", "-bdf", "-oX", "127.0.0.1:" + std::to_string(Port()),
       "-oP", Folder() + "exim.pid"});
}

}  // namespace orv::net::testing
