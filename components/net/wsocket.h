// TCustomWSocket / TWSocket: an event-driven, non-blocking TCP (or UDP)
// socket component. The platform's message loop watches the descriptor; each
// network event reaches the socket as message 1025 on the socket's own
// receiver window, and a finished name lookup (done on a helper thread) as
// message 1026, so every event handler runs on the thread that runs the loop.
// A connected socket may switch to TLS (StartTls); Send and Receive then carry
// the decrypted bytes.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/component.h"
#include "components/net/socket_errors.h"
#include "platform/exception.h"
#include "platform/window.h"

namespace orv::net {

class TTlsSession;
class TWait;
struct LookupJob;

// Messages to the socket's receiver window.
constexpr uint32_t kWmAsyncSelect = 1025;         // network event
constexpr uint32_t kWmAsyncGetHostByName = 1026;  // name lookup finished

// Network events carried by message 1025 (low word of lparam; the high word
// holds the error number).
constexpr uint16_t kFdRead = 1, kFdWrite = 2, kFdAccept = 8, kFdConnect = 16, kFdClose = 32;

enum TSocketState { wsInvalidState, wsOpened, wsBound, wsConnecting, wsConnected, wsAccepting, wsListening, wsClosed };
enum TSocketSendFlags { wsSendNormal, wsSendUrgent };
enum TSocketLingerOnOff { wsLingerOff, wsLingerOn, wsLingerNoSet };

// The name of a state as the interface spells it ("wsConnected").
const char* SocketStateName(TSocketState state);

// Errors of the socket layer; Error() is the socket error number, 0 for
// errors of use (a property changed at the wrong time, a missing setting).
class ESocketException : public Exception {
 public:
  explicit ESocketException(const std::string& message, int error = 0) : Exception(message), error_(error) {}
  int Error() const { return error_; }

 private:
  int error_;
};

// The port number of `port`: digits are taken as the number, any other text
// is looked up in the services database for `proto`. ESocketException
// "SetPort: Cannot convert port '...'" when that fails.
uint16_t WSocketResolvePort(const std::string& port, const std::string& proto);
// The IPv4 address of `host` in network order: a dotted address directly
// ("255.255.255.255" too), otherwise by a blocking name lookup. ESocketException
// "SetAddr: Cannot convert host address '...'" when that fails.
uint32_t WSocketResolveHost(const std::string& host);
// The protocol number of `proto` ("tcp", "udp"). ESocketException
// "SetProto: Cannot convert protocol '...'" when that fails.
int WSocketResolveProto(const std::string& proto);

// A block of queued send data with its read and write positions.
struct TBuffer {
  static constexpr size_t kSize = 4096;
  std::vector<char> data = std::vector<char>(kSize);
  size_t rd = 0;
  size_t wr = 0;
  // Copies as much of `bytes` as fits; returns how much.
  size_t Write(const char* bytes, size_t count);
  size_t Pending() const { return wr - rd; }
};

// The socket component with every property and event; TWSocket publishes it.
class TCustomWSocket : public TComponent {
 public:
  using TNotifyError = std::function<void(TObject* sender, uint16_t error)>;
  using TChangeState = std::function<void(TObject* sender, TSocketState old_state, TSocketState new_state)>;

  explicit TCustomWSocket(TComponent* owner = nullptr);
  ~TCustomWSocket() override;
  std::string ClassName() const override { return "TCustomWSocket"; }

  const std::string& Addr() const { return addr_; }
  void SetAddr(const std::string& addr);
  const std::string& Port() const { return port_; }
  void SetPort(const std::string& port);
  const std::string& Proto() const { return proto_; }
  void SetProto(const std::string& proto);

  // The first address and all addresses found by the last name lookup.
  const std::string& DnsResult() const { return dns_result_; }
  const std::vector<std::string>& DnsResultList() const { return dns_result_list_; }

  TSocketState State() const { return state_; }
  // Bytes received so far on this connection.
  uint64_t ReadCount() const { return read_count_; }
  // Bytes waiting to be read.
  int RcvdCount() const;
  int LastError() const { return last_error_; }
  // The TLS failure of the last handshake in words (empty when none).
  const std::string& TlsError() const { return tls_error_; }

  bool MultiThreaded() const { return multi_threaded_; }
  void SetMultiThreaded(bool value) { multi_threaded_ = value; }
  TWait* WaitCtrl() const { return wait_ctrl_; }
  void SetWaitCtrl(TWait* wait) { wait_ctrl_ = wait; }
  int FlushTimeout() const { return flush_timeout_; }
  void SetFlushTimeout(int seconds) { flush_timeout_ = seconds; }
  TSocketSendFlags SendFlags() const { return send_flags_; }
  void SetSendFlags(TSocketSendFlags flags);
  TSocketLingerOnOff LingerOnOff() const { return linger_on_off_; }
  void SetLingerOnOff(TSocketLingerOnOff value) { linger_on_off_ = value; }
  int LingerTimeout() const { return linger_timeout_; }
  void SetLingerTimeout(int seconds) { linger_timeout_ = seconds; }

  // The socket's receiver window (messages 1025 and 1026).
  HWND Handle() const { return window_.Handle(); }
  // The descriptor, -1 when there is none.
  int HSocket() const { return fd_; }

  // Starts an asynchronous name lookup; OnDnsLookupDone reports the end.
  void DnsLookup(const std::string& host);
  // Forgets a running lookup: its result will not be reported.
  void CancelDnsLookup();
  // Starts a non-blocking connect to Addr and Port; OnSessionConnected
  // reports the outcome.
  void Connect();
  // Binds to Addr and Port and listens; OnSessionAvailable reports callers.
  void Listen();
  // Accepts a waiting caller; the descriptor is for Dup of another socket.
  int Accept();
  // Takes over a connected descriptor (from Accept) as a connected socket.
  void Dup(int fd);
  // Queues `count` bytes and writes what the network takes now; returns the
  // count, or -1 after reporting an error.
  int Send(const void* data, size_t count);
  int SendStr(const std::string& text) { return Send(text.data(), text.size()); }
  // Bytes queued but not written yet.
  size_t BufferedSize() const;
  // Reads at most `size` bytes: the count, 0 at the end of the stream, -1
  // when nothing is waiting (LastError 10035) or after reporting an error.
  int Receive(void* data, size_t size);
  // Pumps messages until the queued data is written, at most FlushTimeout.
  void Flush();
  // Closes the connection (queued data is flushed first); OnSessionClosed.
  void Close();
  // Closes at once, dropping queued data, with no event.
  void Abort();
  // Shuts the connection down for sending (1), receiving (0) or both (2).
  void Shutdown(int how);
  std::string GetPeerAddr() const;
  std::string GetPeerPort() const;
  // The local port (after Listen or Connect).
  std::string GetXPort() const;
  // Waits with WaitCtrl until the state is `state` or `timeout` steps passed;
  // true when the state was reached. "No wait object assigned" without one.
  bool Wait(int timeout, TSocketState state);

  // Switches the connected socket to TLS for `host`; OnTlsDone reports the
  // end of the handshake (error 0, or non-zero with TlsError set).
  // `trusted_pem`: certificates to trust instead of the system's store.
  void StartTls(const std::string& host, const std::string& trusted_pem);
  bool TlsActive() const { return tls_ != nullptr; }

  TNotifyError OnDataAvailable;
  TNotifyError OnDataSent;
  TNotifyError OnSessionClosed;
  TNotifyError OnSessionAvailable;
  TNotifyError OnSessionConnected;
  TChangeState OnChangeState;
  TNotifyError OnDnsLookupDone;
  TNotifyError OnTlsDone;
  // Receives socket errors instead of an ESocketException; LastError and
  // ErrorMessage tell which.
  TNotifyError OnError;
  const std::string& ErrorMessage() const { return error_message_; }

 protected:
  void ChangeState(TSocketState new_state);
  // Reports the failure of `function` with `error`: "Error <n> in function
  // <name>" and the error's text, to OnError or as ESocketException.
  void SocketError(const std::string& function, int error);

 private:
  LRESULT HandleMessage(uint32_t message, WPARAM wparam, LPARAM lparam);
  void HandleNetworkEvent(uint16_t event, uint16_t error);
  void HandleLookupDone(uint64_t serial);
  void OnReady(unsigned seen);
  void WatchFor(bool read, bool write);
  void TryToSend();
  void ContinueTls();
  void ReleaseDescriptor();
  void CheckClosed(const char* property) const;
  void SetOptions();
  // Resolves Addr and Port and opens a new descriptor of `type` (fd_ stays
  // -1 on failure, errno tells why); returns the resolved address.
  sockaddr_in OpenDescriptor(int type);
  void Fire(const TNotifyError& event, uint16_t error);

  Window window_;
  std::string addr_;
  std::string port_;
  std::string proto_ = "tcp";
  std::string dns_result_;
  std::vector<std::string> dns_result_list_;
  TSocketState state_ = wsClosed;
  int fd_ = -1;
  uint64_t connection_ = 0;  // serial of the current descriptor's connection
  uint64_t watch_ = 0;
  uint64_t read_count_ = 0;
  int last_error_ = 0;
  std::string error_message_;
  bool multi_threaded_ = false;
  TWait* wait_ctrl_ = nullptr;
  int flush_timeout_ = 60;
  TSocketSendFlags send_flags_ = wsSendNormal;
  TSocketLingerOnOff linger_on_off_ = wsLingerOn;
  int linger_timeout_ = 0;
  std::deque<TBuffer> send_queue_;
  bool sent_pending_ = false;  // OnDataSent is due once the queue is empty
  std::shared_ptr<LookupJob> lookup_;
  uint64_t lookup_serial_ = 0;
  std::unique_ptr<TTlsSession> tls_;
  bool tls_handshaking_ = false;
  std::string tls_error_;
  TSocketState wait_for_ = wsInvalidState;
};

// The socket component as the clients use it.
class TWSocket : public TCustomWSocket {
 public:
  using TCustomWSocket::TCustomWSocket;
  std::string ClassName() const override { return "TWSocket"; }
};

}  // namespace orv::net
