#include "orvsys/publish/publish_test_servers.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "components/net/test_servers.h"
#include "platform/files.h"
#include "platform/process.h"

extern char** environ;

namespace orv::publish_testing {

namespace {

void Run(const std::string& command) {
  std::string output;
  CommandStatus status;
  if (RunCommand(command + " 2>&1", output, 1 << 20, 60, "", &status) != CommandOutcome::Done ||
      status.ExitStatus != 0)
    throw std::runtime_error("\"" + command + "\" failed: " + output);
}

std::string FirstField(const std::string& text, int index) {
  size_t start = 0;
  for (int i = 0; i < index; ++i) start = text.find(' ', start) + 1;
  return text.substr(start, text.find_first_of(" \n", start) - start);
}

std::string CurrentUser() {
  const passwd* entry = ::getpwuid(::getuid());
  return entry ? entry->pw_name : "";
}

}  // namespace

TestProcess::TestProcess(const std::vector<std::string>& argv) {
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const int error = posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[1]);
  if (error != 0) {
    ::close(pipe_fds[0]);
    throw std::runtime_error("cannot start " + argv[0]);
  }
  reader_ = std::thread([this, fd = pipe_fds[0]] { Drain(fd); });
}

TestProcess::~TestProcess() { Stop(); }

void TestProcess::Drain(int fd) {
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    std::lock_guard<std::mutex> guard(lock_);
    if (got <= 0) {
      ended_ = true;
      changed_.notify_all();
      break;
    }
    output_.append(buffer, static_cast<size_t>(got));
    changed_.notify_all();
  }
  ::close(fd);
}

bool TestProcess::WaitForOutput(const std::string& text) {
  std::unique_lock<std::mutex> guard(lock_);
  return changed_.wait_for(guard, std::chrono::seconds(20),
                           [&] { return ended_ || output_.find(text) != std::string::npos; }) &&
         output_.find(text) != std::string::npos;
}

std::string TestProcess::Output() {
  std::lock_guard<std::mutex> guard(lock_);
  return output_;
}

void TestProcess::Stop() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }
  if (reader_.joinable()) reader_.join();
}

SshTestServer::SshTestServer(const std::string& folder) : folder_(folder), user_(CurrentUser()) {
  std::filesystem::create_directories(folder_);
  Run("ssh-keygen -q -t ed25519 -N '' -C test-host -f " + folder_ + "/host_key");
  Run("ssh-keygen -q -t ed25519 -N '' -C other-host -f " + folder_ + "/other_host_key");
  Run("ssh-keygen -q -t ed25519 -N '' -C test-user -f " + folder_ + "/user_key");
  std::filesystem::copy_file(folder_ + "/user_key.pub", folder_ + "/authorized_keys");
  // sshd started by root keeps its privilege separation in /run/sshd.
  if (::geteuid() == 0) ::mkdir("/run/sshd", 0755);
  for (int attempt = 0; attempt < 3 && !sshd_; ++attempt) {
    port_ = net::testing::UnusedPort();
    WriteFileBytes(folder_ + "/sshd_config",
                   "Port " + std::to_string(port_) + "\nListenAddress 127.0.0.1\nHostKey " + folder_ +
                       "/host_key\nPidFile none\nUsePAM no\nStrictModes no\nAuthorizedKeysFile " + folder_ +
                       "/authorized_keys\nPasswordAuthentication yes\nKbdInteractiveAuthentication no\n"
                       "PermitRootLogin prohibit-password\nSubsystem sftp /usr/lib/openssh/sftp-server -e -l INFO "
                       "2>>" + folder_ + "/sftp.log\n");
    auto sshd = std::make_unique<TestProcess>(
        std::vector<std::string>{"/usr/sbin/sshd", "-D", "-e", "-f", folder_ + "/sshd_config"});
    if (sshd->WaitForOutput("Server listening on")) sshd_ = std::move(sshd);
  }
  if (!sshd_) throw std::runtime_error("sshd did not start");
}

SshTestServer::~SshTestServer() = default;

std::string SshTestServer::Url(const std::string& path) const {
  return "sftp://" + user_ + "@127.0.0.1:" + std::to_string(port_) + path;
}

std::string SshTestServer::HostKeyBase64() const {
  return FirstField(ReadFileBytes(folder_ + "/host_key.pub"), 1);
}

void SshTestServer::InstallClient(const std::string& home, bool wrong_host_key) const {
  const std::string ssh = home + "/.ssh/";
  std::filesystem::create_directories(ssh);
  std::filesystem::copy_file(folder_ + "/user_key", ssh + "id_ed25519",
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::copy_file(folder_ + "/user_key.pub", ssh + "id_ed25519.pub",
                             std::filesystem::copy_options::overwrite_existing);
  const std::string key = ReadFileBytes(folder_ + (wrong_host_key ? "/other_host_key.pub" : "/host_key.pub"));
  WriteFileBytes(ssh + "known_hosts", "[127.0.0.1]:" + std::to_string(port_) + " " + FirstField(key, 0) + " " +
                                          FirstField(key, 1) + "\n");
}

std::string SshTestServer::SftpLog() const {
  std::string log;
  ReadRegularFile(folder_ + "/sftp.log", log);
  return log;
}

FtpTestServer::FtpTestServer(const std::string& folder, const std::string& root, Options options)
    : folder_(folder), tls_(options.tls) {
  std::filesystem::create_directories(folder_);
  std::filesystem::create_directories(root);
  if (tls_)
    StartVsftpd(root);
  else
    StartPyftpdlib(root, options.drop_at_upload);
}

void FtpTestServer::StartPyftpdlib(const std::string& root, int drop_at_upload) {
  std::vector<std::string> argv{"/usr/bin/python3", std::string(ORV_PUBLISH_SOURCE_DIR) + "/ftp_test_server.py",
                                "--root", root, "--user", "tester", "--password", "secret",
                                "--log", folder_ + "/ftp.log"};
  if (drop_at_upload) argv.insert(argv.end(), {"--drop-at-upload", std::to_string(drop_at_upload)});
  server_ = std::make_unique<TestProcess>(argv);
  if (!server_->WaitForOutput("\n")) throw std::runtime_error("the FTP server did not start: " + server_->Output());
  port_ = std::stoi(server_->Output());
}

void FtpTestServer::StartVsftpd(const std::string& root) {
  const net::testing::TestCertificate certificate = net::testing::MakeTestCertificate();
  WriteFileBytes(CertificateFile(), certificate.cert_pem);
  WriteFileBytes(folder_ + "/key.pem", certificate.key_pem);
  // vsftpd wants the anonymous root not writable; the site goes below it.
  ::chmod(root.c_str(), 0755);
  WriteFileBytes(folder_ + "/vsftpd.conf",
                 "listen=NO\nrun_as_launching_user=YES\nanonymous_enable=YES\nlocal_enable=NO\nanon_root=" + root +
                     "\nno_anon_password=YES\nwrite_enable=YES\nanon_upload_enable=YES\n"
                     "anon_mkdir_write_enable=YES\nanon_other_write_enable=YES\nanon_umask=022\n"
                     "ssl_enable=YES\nssl_ciphers=HIGH\nrequire_ssl_reuse=NO\nallow_anon_ssl=YES\nforce_anon_data_ssl=YES\nforce_anon_logins_ssl=YES\n"
                     "rsa_cert_file=" + CertificateFile() + "\nrsa_private_key_file=" + folder_ +
                     "/key.pem\nxferlog_enable=YES\nxferlog_std_format=NO\nlog_ftp_protocol=YES\n"
                     "vsftpd_log_file=" + folder_ + "/ftp.log\nseccomp_sandbox=NO\npasv_address=127.0.0.1\n");
  listen_fd_ = net::testing::ListenSocket(port_);
  acceptor_ = std::thread([this] { Accept(); });
}

void FtpTestServer::Accept() {
  while (!stop_) {
    pollfd ready{listen_fd_, POLLIN, 0};
    if (::poll(&ready, 1, 100) <= 0) continue;
    const int connection = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, connection, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, connection, STDOUT_FILENO);
    const std::string config = folder_ + "/vsftpd.conf";
    char* argv[] = {const_cast<char*>("/usr/sbin/vsftpd"), const_cast<char*>(config.c_str()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) == 0) children_.push_back(pid);
    posix_spawn_file_actions_destroy(&actions);
    ::close(connection);
  }
}

FtpTestServer::~FtpTestServer() {
  stop_ = true;
  if (acceptor_.joinable()) acceptor_.join();
  if (listen_fd_ >= 0) ::close(listen_fd_);
  for (pid_t child : children_) {
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
  }
}

std::string FtpTestServer::Url(const std::string& path) const {
  return std::string(tls_ ? "ftps://anonymous" : "ftp://tester") + "@127.0.0.1:" + std::to_string(port_) + path;
}

std::string FtpTestServer::Log() const {
  std::string log;
  ReadRegularFile(folder_ + "/ftp.log", log);
  return log;
}

size_t FtpTestServer::UploadsLogged() const {
  const std::string log = Log();
  const std::string upload = tls_ ? "OK UPLOAD:" : "] STOR ";
  size_t count = 0;
  for (size_t at = log.find(upload); at != std::string::npos; at = log.find(upload, at + 1)) ++count;
  return count;
}

void WriteNetrc(const std::string& home, const std::string& login, const std::string& password) {
  std::filesystem::create_directories(home);
  WriteFileBytes(home + "/.netrc", "machine 127.0.0.1 login " + login + " password " + password + "\n");
  ::chmod((home + "/.netrc").c_str(), 0600);
}

}  // namespace orv::publish_testing
