// Real servers for the publishing tests, started by each test on 127.0.0.1
// and stopped with it: OpenSSH's sshd (run as the current user with its own
// configuration, a generated host key and a test user key) for SFTP, and an
// FTP server on pyftpdlib (plain, or explicit TLS with a generated
// certificate) for FTP and FTPS. Each keeps a log of what clients asked.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orv::publish_testing {

// A program the test started; its standard output and error are collected.
class TestProcess {
 public:
  explicit TestProcess(const std::vector<std::string>& argv);
  ~TestProcess();
  TestProcess(const TestProcess&) = delete;
  TestProcess& operator=(const TestProcess&) = delete;

  // Waits (at most 20 seconds) until the output holds `text`; false if not.
  bool WaitForOutput(const std::string& text);
  std::string Output();
  // Ends the program (SIGTERM, then waits for it).
  void Stop();

 private:
  void Drain(int fd);

  pid_t pid_ = -1;
  std::thread reader_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::string output_;
  bool ended_ = false;
};

// An sshd serving SFTP on 127.0.0.1 for the user running the test.
class SshTestServer {
 public:
  // Keeps its keys, configuration and logs in `folder`.
  explicit SshTestServer(const std::string& folder);
  ~SshTestServer();

  int Port() const { return port_; }
  std::string User() const { return user_; }
  // "sftp://user@127.0.0.1:port" + path.
  std::string Url(const std::string& path) const;
  // Puts the test user's key and a known_hosts with the server's key into
  // `home`/.ssh (`wrong_host_key`: another key stands there for the server).
  void InstallClient(const std::string& home, bool wrong_host_key = false) const;
  // What the SFTP server logged: one line per file opened, closed (with the
  // bytes written), renamed, removed.
  std::string SftpLog() const;
  std::string HostKeyBase64() const;

 private:
  std::string folder_;
  std::string user_;
  int port_ = 0;
  std::unique_ptr<TestProcess> sshd_;
};

// An FTP server serving `root`: pyftpdlib for the user "tester" with the
// password "secret"; with TLS, vsftpd (started per connection, as inetd
// does) for the anonymous user, TLS required on both channels.
class FtpTestServer {
 public:
  struct Options {
    bool tls = false;          // explicit TLS, required on both channels
    int drop_at_upload = 0;    // closes the connection when upload N begins
  };
  FtpTestServer(const std::string& folder, const std::string& root, Options options);
  FtpTestServer(const std::string& folder, const std::string& root) : FtpTestServer(folder, root, Options{}) {}
  ~FtpTestServer();

  int Port() const { return port_; }
  // "ftp://tester@127.0.0.1:port" + path (ftps://anonymous@... with TLS),
  // a path below `root`.
  std::string Url(const std::string& path) const;
  // The certificate the TLS server shows (a PEM file).
  std::string CertificateFile() const { return folder_ + "/cert.pem"; }
  // Every command the server handled, one per line.
  std::string Log() const;
  // The uploads the log shows.
  size_t UploadsLogged() const;

 private:
  void StartPyftpdlib(const std::string& root, int drop_at_upload);
  void StartVsftpd(const std::string& root);
  // Accepts connections and hands each to a vsftpd of its own.
  void Accept();

  std::string folder_;
  bool tls_;
  int port_ = 0;
  std::unique_ptr<TestProcess> server_;
  int listen_fd_ = -1;
  std::atomic<bool> stop_{false};
  std::thread acceptor_;
  std::vector<pid_t> children_;
};

// Writes `home`/.netrc with the login and password for 127.0.0.1.
void WriteNetrc(const std::string& home, const std::string& login, const std::string& password);

}  // namespace orv::publish_testing
