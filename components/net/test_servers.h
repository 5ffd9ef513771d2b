// Servers for the network tests: a TCP server on 127.0.0.1 that runs a
// script per connection on its own thread (plain or TLS, also switching to
// TLS in the middle, as a proxy's tunnel does) and records every byte it
// received; and a self-signed certificate made at test time.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orv::net::testing {

// A certificate and its key, PEM encoded.
struct TestCertificate {
  std::string cert_pem;
  std::string key_pem;
};

// A fresh self-signed certificate for the names of `alt_names` (in the form
// of a subjectAltName extension).
TestCertificate MakeTestCertificate(const std::string& alt_names = "DNS:localhost,IP:127.0.0.1");

// One accepted connection as the server script sees it. Reads wait at most
// a few seconds, so a failing test ends instead of hanging.
class Connection {
 public:
  Connection(int fd, const TestCertificate* certificate, std::function<void(const std::string&)> record);
  ~Connection();

  // Reads up to the end of a request header ("\r\n\r\n") and, with a
  // Content-Length, the body; returns what was read.
  std::string ReadRequest();
  // Reads one line ending in a line feed (kept).
  std::string ReadLine();
  // Reads until the peer closes.
  std::string ReadToEnd();
  void Write(const std::string& bytes);
  // Switches the connection to TLS as its server side.
  bool StartTls();
  // Closes at once with a reset.
  void Reset();

 private:
  int ReadSome(char* buffer, size_t size);
  // Reads more into the pending bytes; false at the end or after the time-out.
  bool Fill();
  // Removes and returns the first `count` pending bytes (all, at most).
  std::string Take(size_t count);

  int fd_;
  const TestCertificate* certificate_;
  struct Tls;
  std::unique_ptr<Tls> tls_;
  std::string pending_;
  std::function<void(const std::string&)> record_;
};

// A server that accepts connections and runs `script` for each, in turn.
class TestServer {
 public:
  using Script = std::function<void(Connection& connection, int index)>;

  // `tls`: every connection starts with a TLS handshake.
  explicit TestServer(Script script, const TestCertificate* certificate = nullptr, bool tls = false);
  ~TestServer();

  int Port() const { return port_; }
  std::string Url(const std::string& path = "/") const;
  // The bytes each finished (or running) connection received so far.
  std::vector<std::string> Seen() const;
  int Connections() const { return connections_; }
  // Waits until `count` connections have ended, at most `timeout`; false
  // when they did not.
  bool WaitForConnections(int count, std::chrono::milliseconds timeout);
  // Stops accepting and waits for the thread.
  void Stop();

 private:
  void Run();

  Script script_;
  const TestCertificate* certificate_;
  bool tls_;
  int listen_fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  mutable std::mutex lock_;
  std::condition_variable ended_;  // a connection ended
  std::vector<std::string> seen_;
  std::thread thread_;
};

// A socket listening on 127.0.0.1 at a free port, which `port` receives.
int ListenSocket(int& port);

// A port on 127.0.0.1 where nothing listens.
int UnusedPort();

// A server script for an SMTP sink: replies by command ("HELO", "MAIL",
// "RCPT", "DATA"; "RCPT <address>" for one recipient; "greeting"; "END" after
// the message), 250 by default, 354 to DATA.
TestServer::Script SmtpSink(std::map<std::string, std::string> replies = {});

}  // namespace orv::net::testing
