#include "components/net/test_servers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "components/net/smtp_reply.h"

namespace orv::net::testing {
namespace {

constexpr int kReadTimeoutMs = 5000;

std::string BioText(BIO* bio) {
  char* data = nullptr;
  long size = BIO_get_mem_data(bio, &data);
  return std::string(data, static_cast<size_t>(size));
}

void AddExtension(X509* cert, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  if (!extension) throw std::runtime_error("test certificate: extension");
  X509_add_ext(cert, extension, -1);
  X509_EXTENSION_free(extension);
}

}  // namespace

int ListenSocket(int& port) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw std::runtime_error("test server: cannot listen");
  port = ntohs(address.sin_port);
  return fd;
}

TestCertificate MakeTestCertificate(const std::string& alt_names) {
  EVP_PKEY* key = EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256");
  X509* cert = X509_new();
  if (!key || !cert) throw std::runtime_error("test certificate: key");
  X509_set_version(cert, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert), static_cast<long>(std::rand()) + 1);
  X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert), 24 * 3600);
  X509_NAME* name = X509_get_subject_name(cert);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("localhost"), -1, -1, 0);
  X509_set_issuer_name(cert, name);
  X509_set_pubkey(cert, key);
  AddExtension(cert, NID_basic_constraints, "critical,CA:TRUE");
  AddExtension(cert, NID_key_usage, "critical,digitalSignature,keyCertSign");
  AddExtension(cert, NID_subject_alt_name, alt_names.c_str());
  X509_sign(cert, key, EVP_sha256());
  BIO* cert_bio = BIO_new(BIO_s_mem());
  BIO* key_bio = BIO_new(BIO_s_mem());
  PEM_write_bio_X509(cert_bio, cert);
  PEM_write_bio_PrivateKey(key_bio, key, nullptr, nullptr, 0, nullptr, nullptr);
  TestCertificate result{BioText(cert_bio), BioText(key_bio)};
  BIO_free(cert_bio);
  BIO_free(key_bio);
  X509_free(cert);
  EVP_PKEY_free(key);
  return result;
}

struct Connection::Tls {
  SSL_CTX* ctx = nullptr;
  SSL* ssl = nullptr;
  ~Tls() {
    if (ssl) SSL_shutdown(ssl);
    SSL_free(ssl);
    SSL_CTX_free(ctx);
  }
};

Connection::Connection(int fd, const TestCertificate* certificate, std::function<void(const std::string&)> record)
    : fd_(fd), certificate_(certificate), record_(std::move(record)) {}

Connection::~Connection() {
  tls_.reset();
  if (fd_ >= 0) ::close(fd_);
}

bool Connection::StartTls() {
  if (!certificate_) return false;
  tls_ = std::make_unique<Tls>();
  tls_->ctx = SSL_CTX_new(TLS_server_method());
  BIO* cert_bio = BIO_new_mem_buf(certificate_->cert_pem.data(), static_cast<int>(certificate_->cert_pem.size()));
  BIO* key_bio = BIO_new_mem_buf(certificate_->key_pem.data(), static_cast<int>(certificate_->key_pem.size()));
  X509* cert = PEM_read_bio_X509(cert_bio, nullptr, nullptr, nullptr);
  EVP_PKEY* key = PEM_read_bio_PrivateKey(key_bio, nullptr, nullptr, nullptr);
  SSL_CTX_use_certificate(tls_->ctx, cert);
  SSL_CTX_use_PrivateKey(tls_->ctx, key);
  X509_free(cert);
  EVP_PKEY_free(key);
  BIO_free(cert_bio);
  BIO_free(key_bio);
  tls_->ssl = SSL_new(tls_->ctx);
  SSL_set_fd(tls_->ssl, fd_);
  pollfd wait{fd_, POLLIN, 0};
  if (::poll(&wait, 1, kReadTimeoutMs) <= 0 || SSL_accept(tls_->ssl) != 1) {
    ERR_clear_error();
    SSL_free(tls_->ssl);
    tls_->ssl = nullptr;
    return false;
  }
  return true;
}

int Connection::ReadSome(char* buffer, size_t size) {
  if (fd_ < 0) return 0;
  if (!(tls_ && tls_->ssl && SSL_pending(tls_->ssl) > 0)) {
    pollfd wait{fd_, POLLIN, 0};
    if (::poll(&wait, 1, kReadTimeoutMs) <= 0) return 0;
  }
  int got = tls_ && tls_->ssl ? SSL_read(tls_->ssl, buffer, static_cast<int>(size))
                              : static_cast<int>(::recv(fd_, buffer, size, 0));
  if (got <= 0) {
    ERR_clear_error();
    return 0;
  }
  record_(std::string(buffer, static_cast<size_t>(got)));
  return got;
}

bool Connection::Fill() {
  char buffer[4096];
  int got = ReadSome(buffer, sizeof buffer);
  if (got <= 0) return false;
  pending_.append(buffer, static_cast<size_t>(got));
  return true;
}

std::string Connection::Take(size_t count) {
  std::string taken = pending_.substr(0, count);
  pending_.erase(0, taken.size());
  return taken;
}

std::string Connection::ReadRequest() {
  size_t end;
  while ((end = pending_.find("\r\n\r\n")) == std::string::npos)
    if (!Fill()) return Take(std::string::npos);
  end += 4;
  size_t body = 0;
  size_t field = pending_.find("Content-Length: ");
  if (field != std::string::npos && field < end) body = std::strtoul(pending_.c_str() + field + 16, nullptr, 10);
  while (pending_.size() < end + body && Fill()) {
  }
  return Take(end + body);
}

std::string Connection::ReadLine() {
  size_t end;
  while ((end = pending_.find('\n')) == std::string::npos)
    if (!Fill()) return Take(std::string::npos);
  return Take(end + 1);
}

std::string Connection::ReadToEnd() {
  while (Fill()) {
  }
  return Take(std::string::npos);
}

void Connection::Write(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size() && fd_ >= 0) {
    int sent = tls_ && tls_->ssl
                   ? SSL_write(tls_->ssl, bytes.data() + done, static_cast<int>(bytes.size() - done))
                   : static_cast<int>(::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL));
    if (sent <= 0) {
      ERR_clear_error();
      return;
    }
    done += static_cast<size_t>(sent);
  }
}

void Connection::Reset() {
  if (fd_ < 0) return;
  linger value{1, 0};
  ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &value, sizeof value);
  if (tls_) {
    SSL_free(tls_->ssl);
    tls_->ssl = nullptr;
  }
  ::close(fd_);
  fd_ = -1;
}

TestServer::TestServer(Script script, const TestCertificate* certificate, bool tls)
    : script_(std::move(script)), certificate_(certificate), tls_(tls) {
  listen_fd_ = ListenSocket(port_);
  thread_ = std::thread([this] { Run(); });
}

TestServer::~TestServer() { Stop(); }

std::string TestServer::Url(const std::string& path) const {
  return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> TestServer::Seen() const {
  std::lock_guard<std::mutex> guard(lock_);
  return seen_;
}

void TestServer::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listen_fd_ >= 0) ::close(listen_fd_);
  listen_fd_ = -1;
}

void TestServer::Run() {
  while (!stop_) {
    pollfd wait{listen_fd_, POLLIN, 0};
    if (::poll(&wait, 1, 20) <= 0) continue;
    int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    size_t index;
    {
      std::lock_guard<std::mutex> guard(lock_);
      index = seen_.size();
      seen_.emplace_back();
    }
    {
      Connection connection(fd, certificate_, [this, index](const std::string& bytes) {
        std::lock_guard<std::mutex> guard(lock_);
        seen_[index] += bytes;
      });
      if (!tls_ || connection.StartTls()) script_(connection, static_cast<int>(index));
    }
    std::lock_guard<std::mutex> guard(lock_);
    ++connections_;
    ended_.notify_all();
  }
}

bool TestServer::WaitForConnections(int count, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> guard(lock_);
  return ended_.wait_for(guard, timeout, [this, count] { return connections_ >= count; });
}

int UnusedPort() {
  int port = 0;
  int fd = ListenSocket(port);
  ::close(fd);
  return port;
}

TestServer::Script SmtpSink(std::map<std::string, std::string> replies) {
  return [replies](Connection& connection, int) {
    auto reply = [&replies](const std::string& key, const std::string& otherwise) {
      auto found = replies.find(key);
      return found == replies.end() ? otherwise : found->second;
    };
    connection.Write(reply("greeting", "220 sink ready\r\n"));
    for (std::string line = connection.ReadLine(); !line.empty(); line = connection.ReadLine()) {
      std::string command = line.substr(0, 4);
      if (command == "RCPT") {
        std::string address = MailboxAddress(line.substr(9, line.size() - 11));
        connection.Write(reply("RCPT " + address, reply("RCPT", "250 ok\r\n")));
      } else if (command == "DATA") {
        std::string answer = reply("DATA", "354 go on\r\n");
        connection.Write(answer);
        if (answer.rfind("354", 0) != 0) continue;
        while (!line.empty() && line != ".\r\n") line = connection.ReadLine();
        connection.Write(reply("END", "250 queued\r\n"));
      } else {
        connection.Write(reply(command, "250 ok\r\n"));
      }
    }
  };
}

}  // namespace orv::net::testing
