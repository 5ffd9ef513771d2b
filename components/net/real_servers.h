// Real servers for the network tests: nginx (HTTP), tinyproxy (an HTTP
// proxy) and exim (an SMTP relay) from Debian, each started by the test as a
// child process on 127.0.0.1 (free ports), with its own temporary folder and
// configuration, and stopped with the test. A program that is not installed
// leaves the server not started, so the test can say so and skip.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace orv::net::testing {

// A server program run as a child of the test.
class ChildServer {
 public:
  ChildServer(const ChildServer&) = delete;
  ChildServer& operator=(const ChildServer&) = delete;
  // Stops the program and removes its folder.
  virtual ~ChildServer();

  // False when the program is not installed.
  bool Started() const { return pid_ > 0; }
  // The ports it listens on, in the order of its configuration.
  const std::vector<int>& Ports() const { return ports_; }
  int Port() const { return ports_.at(0); }
  // Its folder (with a final "/"), which holds its configuration and logs.
  const std::string& Folder() const { return folder_; }
  // What the program wrote to a file of its folder (a log), or "".
  std::string FileText(const std::string& name) const;

 protected:
  // Makes the folder and picks `port_count` free ports.
  ChildServer(const std::string& name, int port_count);
  // Writes `text` to `name` in the folder, with {folder} and {port0},
  // {port1}, ... replaced.
  void WriteConfig(const std::string& name, std::string text) const;
  // Runs `argv` (argv[0] a full path; nothing happens when it does not
  // exist) and returns once every port accepts connections. Raises when the
  // program ends or does not listen within a few seconds.
  void Run(const std::vector<std::string>& argv);

 private:
  std::string folder_;
  std::vector<int> ports_;
  pid_t pid_ = -1;
};

// nginx serving `server_blocks` (the "server { ... }" parts of its http
// block, with the placeholders of WriteConfig; files to serve go under
// Folder() + "www/", which {folder}www/ names).
class Nginx : public ChildServer {
 public:
  Nginx(const std::string& server_blocks, int port_count = 1);
  std::string Url(const std::string& path, int port_index = 0) const;
};

// tinyproxy forwarding plain HTTP from 127.0.0.1; with a user name it asks
// for that user and password (basic authentication).
class TinyProxy : public ChildServer {
 public:
  explicit TinyProxy(const std::string& user = "", const std::string& password = "");
};

// exim accepting mail for anyone on Port() and relaying every message to
// 127.0.0.1:`relay_port` (a sink of the test), as the next relay on a
// mail's way does.
class EximRelay : public ChildServer {
 public:
  explicit EximRelay(int relay_port);
};

}  // namespace orv::net::testing
