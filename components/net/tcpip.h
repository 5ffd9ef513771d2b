// The blocking SMTP client: T_TcpIp, a TCP connection with line reading, and
// T_SMTP, the SMTP dialogue on it. Calls return when they are done; while
// they wait for the network they run the message loop, so the application
// stays responsive. Every wait ends after ReadTimeout (60 s by default) with
// the socket error of a timed-out connection, so a silent server cannot hang
// the caller.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "components/component.h"
#include "components/net/line_splitter.h"
#include "components/string_list.h"
#include "platform/exception.h"

namespace orv::net {

// Base of the SMTP client's errors ("Couldn't resolve hostname ...").
class ETcpIpError : public Exception {
 public:
  using Exception::Exception;
};

// A socket failure; Error() is the socket error number.
class ESocketError : public ETcpIpError {
 public:
  ESocketError(const std::string& message, int error) : ETcpIpError(message), error_(error) {}
  int Error() const { return error_; }

 private:
  int error_;
};

// A refusal by the server: the protocol ("SMTP"), the reply code, and the
// server's reply text as the message.
class EProtocolError : public ETcpIpError {
 public:
  EProtocolError(const std::string& protocol, uint16_t code, const std::string& text)
      : ETcpIpError(text), protocol_(protocol), code_(code) {}
  const std::string& Protocol() const { return protocol_; }
  uint16_t Code() const { return code_; }

 private:
  std::string protocol_;
  uint16_t code_;
};

// What a trace line is: a line sent or a line received.
enum TTraceLevel { tt_proto_sent, tt_proto_get };

// A blocking TCP connection that reads lines.
class T_TcpIp : public TComponent {
 public:
  using TTraceProc = std::function<void(std::string& text, TTraceLevel level)>;

  explicit T_TcpIp(TComponent* owner = nullptr);
  ~T_TcpIp() override;
  std::string ClassName() const override { return "T_TcpIp"; }

  int Port() const { return port_; }
  void SetPort(int port) { port_ = port; }
  bool LoggedIn() const { return fd_ >= 0; }
  // How long one wait for the network may last.
  std::chrono::milliseconds ReadTimeout() const { return read_timeout_; }
  void SetReadTimeout(std::chrono::milliseconds timeout) { read_timeout_ = timeout; }

  // Connects to `host` at Port (logging out first when connected).
  void Login(const std::string& host);
  void Logout();
  // Sends `text` and a carriage return and line feed.
  void WriteLine(const std::string& text);
  // The next line without its line end.
  std::string ReadLine();

  TTraceProc OnTrace;

  static constexpr size_t kReceiveBufferSize = 32512;

 protected:
  void Trace(const std::string& text, TTraceLevel level);

 private:
  void WaitFor(bool write);

  int fd_ = -1;
  int port_ = 0;
  std::chrono::milliseconds read_timeout_{60000};
  TLineSplitter lines_;
  std::string buffered_;  // received bytes after the last line taken
};

// The SMTP dialogue: HELO, MAIL FROM, RCPT TO for every address, DATA.
class T_SMTP : public T_TcpIp {
 public:
  explicit T_SMTP(TComponent* owner = nullptr);
  std::string ClassName() const override { return "T_SMTP"; }

  std::string Hostname;  // the SMTP server

  // The envelope sender (a mailbox text; its address is used).
  const std::string& SenderAddress() const { return sender_; }
  void SetSenderAddress(const std::string& sender) { sender_ = sender; }
  // Recipient entries (each may hold several mailboxes separated by commas)
  // and the message lines, set by the mail object.
  TStringList& Recipients() { return recipients_; }
  TStringList& Message() { return message_; }

  int ReplyCode() const { return reply_code_; }
  const std::string& ReplyText() const { return reply_text_; }

  // Runs the transaction; nothing happens without recipients, lines and
  // sender. EProtocolError when the server refuses.
  void Action();
  // Reads one reply (all its lines); the first line gives code and text.
  void ReadReply();

  // The most lines one reply may have.
  static constexpr int kMaxReplyLines = 1000;

 private:
  void Command(const std::string& line, bool check);

  std::string sender_;
  std::string local_host_;
  int reply_code_ = 0;
  std::string reply_text_;
  TStringList recipients_;
  TStringList message_;
};

// The local host name as the resolver gives it; "127.0.0.1" without one.
std::string LocalHostName();

}  // namespace orv::net
