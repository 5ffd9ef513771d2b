#include "components/net/tls.h"

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <cerrno>
#include <cstring>

#include "components/net/socket_errors.h"

namespace orv::net {

struct TTlsSession::Impl {
  SSL_CTX* ctx = nullptr;
  SSL* ssl = nullptr;
  ~Impl() {
    SSL_free(ssl);
    SSL_CTX_free(ctx);
  }
};

namespace {

// The OpenSSL error queue as one text (emptied on the way).
std::string TakeOpenSslErrors() {
  std::string text;
  while (unsigned long code = ERR_get_error()) {
    char buffer[256];
    ERR_error_string_n(code, buffer, sizeof buffer);
    if (!text.empty()) text += "; ";
    text += buffer;
  }
  return text;
}

bool AddTrustedPem(SSL_CTX* ctx, const std::string& pem) {
  BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
  if (!bio) return false;
  X509_STORE* store = SSL_CTX_get_cert_store(ctx);
  int added = 0;
  while (X509* cert = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr)) {
    added += X509_STORE_add_cert(store, cert);
    X509_free(cert);
  }
  ERR_clear_error();  // the end of the PEM text leaves an error behind
  BIO_free(bio);
  return added > 0;
}

bool IsIpAddress(const std::string& host) {
  unsigned char buffer[16];
  return inet_pton(AF_INET, host.c_str(), buffer) == 1 || inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

}  // namespace

TTlsSession::TTlsSession(int fd, const std::string& host, const std::string& trusted_pem)
    : impl_(std::make_unique<Impl>()) {
  impl_->ctx = SSL_CTX_new(TLS_client_method());
  if (!impl_->ctx) {
    error_ = "TLS set-up failed: " + TakeOpenSslErrors();
    return;
  }
  SSL_CTX_set_min_proto_version(impl_->ctx, TLS1_2_VERSION);
  // A peer that closes without the closing alert ends the stream as a
  // closing alert would: an HTTP/1.0 answer ends where the connection ends.
  SSL_CTX_set_options(impl_->ctx, SSL_OP_IGNORE_UNEXPECTED_EOF);
  SSL_CTX_set_verify(impl_->ctx, SSL_VERIFY_PEER, nullptr);
  bool trusted = trusted_pem.empty() ? SSL_CTX_set_default_verify_paths(impl_->ctx) == 1
                                     : AddTrustedPem(impl_->ctx, trusted_pem);
  if (!trusted) {
    error_ = "TLS set-up failed: no trusted certificates could be loaded";
    return;
  }
  impl_->ssl = SSL_new(impl_->ctx);
  if (!impl_->ssl || SSL_set_fd(impl_->ssl, fd) != 1) {
    error_ = "TLS set-up failed: " + TakeOpenSslErrors();
    return;
  }
  X509_VERIFY_PARAM* param = SSL_get0_param(impl_->ssl);
  if (IsIpAddress(host)) {
    X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str());
  } else {
    X509_VERIFY_PARAM_set_hostflags(param, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    SSL_set1_host(impl_->ssl, host.c_str());
    SSL_set_tlsext_host_name(impl_->ssl, host.c_str());
  }
  SSL_set_connect_state(impl_->ssl);
}

TTlsSession::~TTlsSession() = default;

TlsProgress TTlsSession::Result(int ret) {
  int code = SSL_get_error(impl_->ssl, ret);
  switch (code) {
    case SSL_ERROR_NONE: return TlsProgress::Done;
    case SSL_ERROR_WANT_READ: return TlsProgress::WantRead;
    case SSL_ERROR_WANT_WRITE: return TlsProgress::WantWrite;
    case SSL_ERROR_ZERO_RETURN: return TlsProgress::Closed;
    default: break;
  }
  long verify = SSL_get_verify_result(impl_->ssl);
  if (verify != X509_V_OK) {
    error_ = std::string("certificate verify failed: ") + X509_verify_cert_error_string(verify);
  } else {
    std::string queue = TakeOpenSslErrors();
    if (!queue.empty()) {
      error_ = queue;
    } else if (code == SSL_ERROR_SYSCALL && errno != 0) {
      int error = SocketErrorFromErrno(errno);
      error_ = WSocketErrorDesc(error) + " (Error #" + std::to_string(error) + ")";
    } else {
      error_ = "the connection was closed during the exchange";
    }
  }
  ERR_clear_error();
  return TlsProgress::Failed;
}

TlsProgress TTlsSession::Handshake() {
  if (!impl_->ssl) return TlsProgress::Failed;
  ERR_clear_error();
  errno = 0;
  return Result(SSL_do_handshake(impl_->ssl));
}

TlsProgress TTlsSession::Read(char* data, size_t size, size_t& count) {
  count = 0;
  ERR_clear_error();
  errno = 0;
  int ret = SSL_read_ex(impl_->ssl, data, size, &count);
  if (ret == 1) return TlsProgress::Done;
  return Result(ret);
}

TlsProgress TTlsSession::Write(const char* data, size_t size, size_t& count) {
  count = 0;
  ERR_clear_error();
  errno = 0;
  if (SSL_write_ex(impl_->ssl, data, size, &count) == 1) return TlsProgress::Done;
  return Result(0);
}

size_t TTlsSession::Pending() const { return impl_->ssl ? static_cast<size_t>(SSL_pending(impl_->ssl)) : 0; }

void TTlsSession::Shutdown() {
  if (impl_->ssl && SSL_is_init_finished(impl_->ssl)) SSL_shutdown(impl_->ssl);
  ERR_clear_error();
}

}  // namespace orv::net
