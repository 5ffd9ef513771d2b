#include "components/net/wsocket.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include "components/net/deferred_error.h"
#include "components/net/tls.h"
#include "components/net/wait.h"
#include "platform/message_loop.h"

namespace orv::net {

// A name lookup on a helper thread; the socket reads the result when
// message 1026 arrives.
struct LookupJob {
  std::mutex lock;
  int error = 0;
  std::vector<std::string> addresses;
};

namespace {

// Serials of lookups and connections are unique in the process, so a late
// answer or a queued event of an earlier connection is never taken for a
// later one.
std::atomic<uint64_t> next_serial{1};

LPARAM EventParam(uint16_t event, uint16_t error) {
  return static_cast<LPARAM>(event | (static_cast<uint32_t>(error) << 16));
}

bool IsDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string Ipv4Text(uint32_t network_order) {
  char text[INET_ADDRSTRLEN];
  in_addr address{network_order};
  inet_ntop(AF_INET, &address, text, sizeof text);
  return text;
}

// The IPv4 addresses of `host`, or the lookup's socket error number.
int LookupHost(const std::string& host, std::vector<std::string>& addresses) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  int code = getaddrinfo(host.c_str(), nullptr, &hints, &found);
  if (code != 0) return SocketErrorFromLookup(code, errno);
  for (addrinfo* entry = found; entry; entry = entry->ai_next) {
    auto* address = reinterpret_cast<sockaddr_in*>(entry->ai_addr);
    std::string text = Ipv4Text(address->sin_addr.s_addr);
    bool seen = false;
    for (const auto& known : addresses) seen = seen || known == text;
    if (!seen) addresses.push_back(text);
  }
  freeaddrinfo(found);
  return addresses.empty() ? 11004 : 0;
}

int SocketType(const std::string& proto) {
  return WSocketResolveProto(proto) == IPPROTO_UDP ? SOCK_DGRAM : SOCK_STREAM;
}

}  // namespace

const char* SocketStateName(TSocketState state) {
  static const char* const kNames[] = {"wsInvalidState", "wsOpened",    "wsBound",     "wsConnecting",
                                       "wsConnected",    "wsAccepting", "wsListening", "wsClosed"};
  return kNames[state];
}

uint16_t WSocketResolvePort(const std::string& port, const std::string& proto) {
  if (IsDigits(port) && port.size() <= 5 && std::stoi(port) <= 65535) return static_cast<uint16_t>(std::stoi(port));
  servent entry{};
  servent* found = nullptr;
  char buffer[1024];
  if (!IsDigits(port) && getservbyname_r(port.c_str(), proto.c_str(), &entry, buffer, sizeof buffer, &found) == 0 &&
      found)
    return ntohs(static_cast<uint16_t>(found->s_port));
  throw ESocketException("SetPort: Cannot convert port '" + port + "'");
}

uint32_t WSocketResolveHost(const std::string& host) {
  in_addr address{};
  if (inet_pton(AF_INET, host.c_str(), &address) == 1) return address.s_addr;
  std::vector<std::string> addresses;
  if (!host.empty() && LookupHost(host, addresses) == 0 && inet_pton(AF_INET, addresses[0].c_str(), &address) == 1)
    return address.s_addr;
  throw ESocketException("SetAddr: Cannot convert host address '" + host + "'");
}

int WSocketResolveProto(const std::string& proto) {
  protoent entry{};
  protoent* found = nullptr;
  char buffer[1024];
  if (!proto.empty() && getprotobyname_r(proto.c_str(), &entry, buffer, sizeof buffer, &found) == 0 && found)
    return found->p_proto;
  // Without a protocols database the two protocols a socket can use are still known.
  if (proto == "tcp") return IPPROTO_TCP;
  if (proto == "udp") return IPPROTO_UDP;
  throw ESocketException("SetProto: Cannot convert protocol '" + proto + "'");
}

size_t TBuffer::Write(const char* bytes, size_t count) {
  size_t room = data.size() - wr;
  size_t take = count < room ? count : room;
  std::memcpy(data.data() + wr, bytes, take);
  wr += take;
  return take;
}

TCustomWSocket::TCustomWSocket(TComponent* owner)
    : TComponent(owner), window_([this](uint32_t message, WPARAM wparam, LPARAM lparam) {
        return HandleMessage(message, wparam, lparam);
      }) {}

TCustomWSocket::~TCustomWSocket() {
  CancelDnsLookup();
  ReleaseDescriptor();
}

void TCustomWSocket::CheckClosed(const char* property) const {
  if (state_ != wsClosed) throw ESocketException(std::string("Cannot change ") + property + " if not closed");
}

void TCustomWSocket::SetAddr(const std::string& addr) {
  CheckClosed("Addr");
  addr_ = addr;
}

void TCustomWSocket::SetPort(const std::string& port) {
  CheckClosed("Port");
  port_ = port;
}

void TCustomWSocket::SetProto(const std::string& proto) {
  CheckClosed("Proto");
  proto_ = proto;
}

void TCustomWSocket::SetSendFlags(TSocketSendFlags flags) {
  if (flags != wsSendNormal && flags != wsSendUrgent) throw ESocketException("Invalid SendFlags");
  send_flags_ = flags;
}

int TCustomWSocket::RcvdCount() const {
  if (fd_ < 0) return 0;
  int waiting = 0;
  if (::ioctl(fd_, FIONREAD, &waiting) != 0) waiting = 0;
  return waiting + static_cast<int>(tls_ ? tls_->Pending() : 0);
}

void TCustomWSocket::ChangeState(TSocketState new_state) {
  TSocketState old_state = state_;
  state_ = new_state;
  if (new_state == wait_for_ && wait_ctrl_) wait_ctrl_->SetModalResult(1);
  if (old_state != new_state && OnChangeState) OnChangeState(this, old_state, new_state);
}

void TCustomWSocket::SocketError(const std::string& function, int error) {
  last_error_ = error;
  error_message_ = "Error " + std::to_string(error) + " in function " + function + "\r\n" + WSocketErrorDesc(error);
  if (error == kErrConnReset || error == kErrNotConnected) {
    ReleaseDescriptor();
    ChangeState(wsClosed);
  }
  if (OnError) {
    OnError(this, static_cast<uint16_t>(error));
    return;
  }
  throw ESocketException(error_message_, error);
}

void TCustomWSocket::Fire(const TNotifyError& event, uint16_t error) {
  if (event) event(this, error);
}

void TCustomWSocket::DnsLookup(const std::string& host) {
  if (host.empty()) throw ESocketException("DNS lookup: invalid host name.");
  CancelDnsLookup();
  auto job = std::make_shared<LookupJob>();
  uint64_t serial = next_serial++;
  HWND window = Handle();
  try {
    std::thread([job, serial, window, host] {
      std::vector<std::string> addresses;
      int error = LookupHost(host, addresses);
      {
        std::lock_guard<std::mutex> guard(job->lock);
        job->error = error;
        job->addresses = std::move(addresses);
      }
      orv::PostMessage(window, kWmAsyncGetHostByName, static_cast<WPARAM>(serial), 0);
    }).detach();
  } catch (const std::system_error& error) {
    throw ESocketException(Name() + ": can't start DNS lookup, error #" + std::to_string(error.code().value()));
  }
  lookup_ = std::move(job);
  lookup_serial_ = serial;
}

void TCustomWSocket::CancelDnsLookup() {
  lookup_.reset();
  lookup_serial_ = 0;
}

void TCustomWSocket::HandleLookupDone(uint64_t serial) {
  if (!lookup_ || serial != lookup_serial_) return;
  std::shared_ptr<LookupJob> job = std::move(lookup_);
  lookup_serial_ = 0;
  int error;
  {
    std::lock_guard<std::mutex> guard(job->lock);
    error = job->error;
    dns_result_list_ = job->addresses;
  }
  dns_result_ = dns_result_list_.empty() ? std::string() : dns_result_list_.front();
  Fire(OnDnsLookupDone, static_cast<uint16_t>(error));
}

void TCustomWSocket::SetOptions() {
  if (linger_on_off_ == wsLingerNoSet || (linger_on_off_ == wsLingerOn && linger_timeout_ <= 0)) return;
  linger value{linger_on_off_ == wsLingerOn ? 1 : 0, linger_timeout_};
  if (::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &value, sizeof value) != 0)
    SocketError("setsockopt(SO_LINGER)", SocketErrorFromErrno(errno));
}

sockaddr_in TCustomWSocket::OpenDescriptor(int type) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(WSocketResolvePort(port_, proto_));
  address.sin_addr.s_addr = WSocketResolveHost(addr_);
  fd_ = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  connection_ = next_serial++;
  return address;
}

void TCustomWSocket::Connect() {
  if (state_ != wsClosed) throw ESocketException("Connect: Socket already in use");
  if (port_.empty()) throw ESocketException("Connect: No Port Specified");
  if (addr_.empty()) throw ESocketException("Connect: No IP Address Specified");
  if (proto_.empty()) throw ESocketException("Connect: No Protocol Specified");
  sockaddr_in address = OpenDescriptor(SocketType(proto_));
  if (fd_ < 0) return SocketError("Connect (socket)", SocketErrorFromErrno(errno));
  SetOptions();
  read_count_ = 0;
  ChangeState(wsConnecting);
  watch_ = WatchDescriptor(fd_, Readiness::None, [this](Readiness seen) { OnReady(static_cast<unsigned>(seen)); });
  int result = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  if (result != 0 && errno == EINPROGRESS) return WatchFor(false, true);
  // Finished (or failed) at once: the outcome still arrives as an event.
  int error = result == 0 ? 0 : SocketErrorFromErrno(errno);
  orv::PostMessage(Handle(), kWmAsyncSelect, static_cast<WPARAM>(connection_), EventParam(kFdConnect, static_cast<uint16_t>(error)));
}

void TCustomWSocket::Listen() {
  if (port_.empty()) throw ESocketException("listen: port not assigned");
  if (proto_.empty()) throw ESocketException("listen: protocol not assigned");
  if (addr_.empty()) throw ESocketException("listen: address not assigned");
  if (state_ != wsClosed) throw ESocketException("Connect: Socket already in use");
  if (SocketType(proto_) != SOCK_STREAM) throw ESocketException("listen: only tcp sockets can listen");
  sockaddr_in address = OpenDescriptor(SOCK_STREAM);
  if (fd_ < 0) return SocketError("Connect (socket)", SocketErrorFromErrno(errno));
  int one = 1;
  if (::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) != 0)
    return SocketError("setsockopt(SO_REUSEADDR)", SocketErrorFromErrno(errno));
  if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    int error = SocketErrorFromErrno(errno);
    ReleaseDescriptor();
    throw ESocketException("winsock.bind failed, error #" + std::to_string(error), error);
  }
  if (::listen(fd_, SOMAXCONN) != 0) {
    int error = SocketErrorFromErrno(errno);
    ReleaseDescriptor();
    return SocketError("listen", error);
  }
  socklen_t length = sizeof address;
  if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    int error = SocketErrorFromErrno(errno);
    ReleaseDescriptor();
    throw ESocketException("winsock.getsockname failed, error #" + std::to_string(error), error);
  }
  ChangeState(wsListening);
  watch_ = WatchDescriptor(fd_, Readiness::Read, [this](Readiness seen) { OnReady(static_cast<unsigned>(seen)); });
}

int TCustomWSocket::Accept() {
  if (state_ != wsListening) throw ESocketException("not a listening socket");
  int fd = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) {
    int error = SocketErrorFromErrno(errno);
    if (error != kErrWouldBlock) SocketError("accept", error);
    last_error_ = error;
  }
  return fd;
}

void TCustomWSocket::Dup(int fd) {
  if (state_ != wsClosed) throw ESocketException("Connect: Socket already in use");
  fd_ = fd;
  connection_ = next_serial++;
  read_count_ = 0;
  ChangeState(wsConnected);
  watch_ = WatchDescriptor(fd_, Readiness::Read, [this](Readiness seen) { OnReady(static_cast<unsigned>(seen)); });
}

void TCustomWSocket::WatchFor(bool read, bool write) {
  if (!watch_) return;
  Readiness events = Readiness::None;
  if (read) events = events | Readiness::Read;
  if (write) events = events | Readiness::Write;
  SetWatchEvents(watch_, events);
}

void TCustomWSocket::OnReady(unsigned seen) {
  bool readable = seen & static_cast<unsigned>(Readiness::Read);
  bool writable = seen & static_cast<unsigned>(Readiness::Write);
  uint16_t event = 0;
  uint16_t error = 0;
  if (state_ == wsConnecting) {
    int pending = 0;
    socklen_t length = sizeof pending;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &pending, &length) != 0) pending = errno;
    event = kFdConnect;
    error = static_cast<uint16_t>(SocketErrorFromErrno(pending));
  } else if (state_ == wsListening) {
    event = kFdAccept;
  } else {
    event = static_cast<uint16_t>((readable ? kFdRead : 0) | (writable ? kFdWrite : 0));
  }
  if (event) orv::SendMessage(Handle(), kWmAsyncSelect, static_cast<WPARAM>(connection_), EventParam(event, error));
}

LRESULT TCustomWSocket::HandleMessage(uint32_t message, WPARAM wparam, LPARAM lparam) {
  try {
    if (message == kWmAsyncSelect && wparam == connection_ && fd_ >= 0) {
      auto bits = static_cast<uint32_t>(lparam);
      HandleNetworkEvent(static_cast<uint16_t>(bits & 0xFFFF), static_cast<uint16_t>(bits >> 16));
    } else if (message == kWmAsyncGetHostByName) {
      HandleLookupDone(static_cast<uint64_t>(wparam));
    }
  } catch (...) {
    DeferError(std::current_exception());
  }
  return 0;
}

void TCustomWSocket::HandleNetworkEvent(uint16_t event, uint16_t error) {
  if (event & kFdConnect) {
    if (state_ != wsConnecting) return;
    if (error) {
      last_error_ = error;
      ReleaseDescriptor();
      ChangeState(wsClosed);
    } else {
      ChangeState(wsConnected);
      WatchFor(true, !send_queue_.empty());
    }
    return Fire(OnSessionConnected, error);
  }
  if (event & kFdAccept) return Fire(OnSessionAvailable, error);
  if (event & kFdClose) {
    if (state_ == wsClosed) return;
    ReleaseDescriptor();
    ChangeState(wsClosed);
    return Fire(OnSessionClosed, error);
  }
  if (state_ != wsConnected) return;
  if (tls_handshaking_) return ContinueTls();
  if (event & kFdWrite) {
    TryToSend();
    if (send_queue_.empty() && sent_pending_ && state_ == wsConnected) {
      sent_pending_ = false;
      Fire(OnDataSent, 0);
    }
  }
  if ((event & kFdRead) && state_ == wsConnected) {
    if (OnDataAvailable) {
      OnDataAvailable(this, 0);
    } else {
      char discard[4096];
      while (Receive(discard, sizeof discard) > 0) {
      }
    }
    // Bytes already decrypted do not make the descriptor readable again.
    if (tls_ && state_ == wsConnected && tls_->Pending() > 0)
      orv::PostMessage(Handle(), kWmAsyncSelect, static_cast<WPARAM>(connection_), EventParam(kFdRead, 0));
  }
}

void TCustomWSocket::StartTls(const std::string& host, const std::string& trusted_pem) {
  if (state_ != wsConnected) return SocketError("StartTls", kErrNotConnected);
  tls_ = std::make_unique<TTlsSession>(fd_, host, trusted_pem);
  tls_handshaking_ = true;
  tls_error_.clear();
  WatchFor(true, true);
}

void TCustomWSocket::ContinueTls() {
  switch (tls_->Handshake()) {
    case TlsProgress::Done:
      tls_handshaking_ = false;
      WatchFor(true, !send_queue_.empty());
      return Fire(OnTlsDone, 0);
    case TlsProgress::WantRead: return WatchFor(true, false);
    case TlsProgress::WantWrite: return WatchFor(false, true);
    case TlsProgress::Closed:
    case TlsProgress::Failed:
      break;
  }
  tls_error_ = tls_->ErrorText().empty() ? "the server closed the connection" : tls_->ErrorText();
  tls_handshaking_ = false;
  last_error_ = 10053;
  WatchFor(false, false);
  Fire(OnTlsDone, 10053);
}

int TCustomWSocket::Send(const void* data, size_t count) {
  if (state_ != wsConnected || fd_ < 0) {
    SocketError("Send", kErrNotConnected);
    return -1;
  }
  const char* bytes = static_cast<const char*>(data);
  size_t left = count;
  while (left > 0) {
    if (send_queue_.empty() || send_queue_.back().wr == TBuffer::kSize) send_queue_.emplace_back();
    size_t taken = send_queue_.back().Write(bytes, left);
    bytes += taken;
    left -= taken;
  }
  sent_pending_ = true;
  if (!tls_handshaking_) TryToSend();
  // Everything went out at once: OnDataSent still follows as an event.
  if (send_queue_.empty() && state_ == wsConnected)
    orv::PostMessage(Handle(), kWmAsyncSelect, static_cast<WPARAM>(connection_), EventParam(kFdWrite, 0));
  return static_cast<int>(count);
}

size_t TCustomWSocket::BufferedSize() const {
  size_t total = 0;
  for (const auto& buffer : send_queue_) total += buffer.Pending();
  return total;
}

void TCustomWSocket::TryToSend() {
  while (!send_queue_.empty() && fd_ >= 0) {
    TBuffer& front = send_queue_.front();
    if (front.Pending() == 0) {
      send_queue_.pop_front();
      continue;
    }
    size_t written = 0;
    int error = 0;
    bool blocked = false;
    if (tls_) {
      TlsProgress progress = tls_->Write(front.data.data() + front.rd, front.Pending(), written);
      blocked = progress == TlsProgress::WantRead || progress == TlsProgress::WantWrite;
      if (progress == TlsProgress::Failed || progress == TlsProgress::Closed) error = kErrConnReset;
    } else {
      int flags = MSG_NOSIGNAL | (send_flags_ == wsSendUrgent ? MSG_OOB : 0);
      ssize_t sent = ::send(fd_, front.data.data() + front.rd, front.Pending(), flags);
      if (sent >= 0) {
        written = static_cast<size_t>(sent);
      } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
        blocked = true;
      } else {
        error = SocketErrorFromErrno(errno);
      }
    }
    if (error) return SocketError("TryToSend failed", error);
    if (blocked) return WatchFor(true, true);
    front.rd += written;
  }
  WatchFor(true, false);
}

int TCustomWSocket::Receive(void* data, size_t size) {
  if (state_ != wsConnected || fd_ < 0) {
    SocketError("recv", kErrNotConnected);
    return -1;
  }
  size_t count = 0;
  bool closed = false;
  if (tls_) {
    switch (tls_->Read(static_cast<char*>(data), size, count)) {
      case TlsProgress::Done: break;
      case TlsProgress::WantRead:
      case TlsProgress::WantWrite: last_error_ = kErrWouldBlock; return -1;
      case TlsProgress::Closed: closed = true; break;
      case TlsProgress::Failed:
        tls_error_ = tls_->ErrorText();
        SocketError("recv", kErrConnReset);
        return -1;
    }
  } else {
    ssize_t got = ::recv(fd_, data, size, 0);
    if (got < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        last_error_ = kErrWouldBlock;
        return -1;
      }
      SocketError("recv", SocketErrorFromErrno(errno));
      return -1;
    }
    count = static_cast<size_t>(got);
    closed = got == 0 && size > 0;
  }
  if (closed) {
    // The end of the stream: the close event follows, as the peer's close
    // would be reported after the data.
    WatchFor(false, false);
    orv::PostMessage(Handle(), kWmAsyncSelect, static_cast<WPARAM>(connection_), EventParam(kFdClose, 0));
    return 0;
  }
  read_count_ += count;
  return static_cast<int>(count);
}

void TCustomWSocket::Flush() {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(flush_timeout_);
  while (BufferedSize() > 0 && fd_ >= 0 && std::chrono::steady_clock::now() < deadline)
    WaitMessages(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()));
  RethrowDeferredError();
}

void TCustomWSocket::Close() {
  CancelDnsLookup();
  if (fd_ < 0) {
    if (state_ != wsClosed) ChangeState(wsClosed);
    return;
  }
  if (state_ == wsConnected && !tls_handshaking_) TryToSend();
  if (tls_ && !tls_handshaking_) tls_->Shutdown();
  RemoveWatch(watch_);
  watch_ = 0;
  tls_.reset();
  send_queue_.clear();
  int fd = fd_;
  fd_ = -1;
  int error = ::close(fd) == 0 ? 0 : SocketErrorFromErrno(errno);
  ChangeState(wsClosed);
  if (error) SocketError("Disconnect (closesocket)", error);
  Fire(OnSessionClosed, 0);
}

void TCustomWSocket::Abort() {
  CancelDnsLookup();
  if (fd_ >= 0) {
    linger value{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &value, sizeof value);
  }
  ReleaseDescriptor();
  ChangeState(wsClosed);
}

void TCustomWSocket::ReleaseDescriptor() {
  if (watch_) RemoveWatch(watch_);
  watch_ = 0;
  tls_.reset();
  tls_handshaking_ = false;
  send_queue_.clear();
  sent_pending_ = false;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void TCustomWSocket::Shutdown(int how) {
  if (fd_ < 0) return;
  int mode = how == 0 ? SHUT_RD : how == 1 ? SHUT_WR : SHUT_RDWR;
  if (::shutdown(fd_, mode) != 0) SocketError("shutdown", SocketErrorFromErrno(errno));
}

namespace {

// The address of the peer or of this end, when the descriptor has one.
bool SocketName(int fd, bool peer, sockaddr_in& address) {
  socklen_t length = sizeof address;
  if (fd < 0) return false;
  int result = peer ? ::getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length)
                    : ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  return result == 0;
}

}  // namespace

std::string TCustomWSocket::GetPeerAddr() const {
  sockaddr_in address{};
  return SocketName(fd_, true, address) ? Ipv4Text(address.sin_addr.s_addr) : std::string();
}

std::string TCustomWSocket::GetPeerPort() const {
  sockaddr_in address{};
  return SocketName(fd_, true, address) ? std::to_string(ntohs(address.sin_port)) : std::string();
}

std::string TCustomWSocket::GetXPort() const {
  sockaddr_in address{};
  return SocketName(fd_, false, address) ? std::to_string(ntohs(address.sin_port)) : std::string();
}

bool TCustomWSocket::Wait(int timeout, TSocketState state) {
  if (!wait_ctrl_) throw ESocketException("No wait object assigned");
  if (state_ == state) return true;
  wait_for_ = state;
  try {
    wait_ctrl_->Wait(timeout);
  } catch (...) {
    wait_for_ = wsInvalidState;
    throw;
  }
  wait_for_ = wsInvalidState;
  return state_ == state;
}

}  // namespace orv::net
