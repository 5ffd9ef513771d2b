// TLS over a connected non-blocking socket, through OpenSSL. The session
// verifies the server's certificate chain and its name (or IP address) against
// the system's trust store, or only against the certificates a caller names.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace orv::net {

// What a TLS step needs before it can go on.
enum class TlsProgress { Done, WantRead, WantWrite, Closed, Failed };

// One client-side TLS session on a socket descriptor it does not own.
class TTlsSession {
 public:
  // `trusted_pem`: PEM certificates to trust instead of the system's store
  // (empty: the system's store).
  TTlsSession(int fd, const std::string& host, const std::string& trusted_pem);
  ~TTlsSession();
  TTlsSession(const TTlsSession&) = delete;
  TTlsSession& operator=(const TTlsSession&) = delete;

  // Drives the handshake; Done once it is complete.
  TlsProgress Handshake();
  // Reads decrypted bytes; `count` gets how many (Done), or nothing was read.
  TlsProgress Read(char* data, size_t size, size_t& count);
  // Writes bytes; `count` gets how many were taken (Done).
  TlsProgress Write(const char* data, size_t size, size_t& count);
  // Decrypted bytes waiting inside the session.
  size_t Pending() const;
  // Sends the closing alert (once, without waiting for the peer's).
  void Shutdown();
  // What went wrong in the last Failed step, in words.
  const std::string& ErrorText() const { return error_; }

 private:
  TlsProgress Result(int ret);

  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string error_;
};

}  // namespace orv::net
