#include "components/net/tcpip.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "components/net/deferred_error.h"
#include "components/net/smtp_reply.h"
#include "components/net/socket_errors.h"
#include "platform/message_loop.h"

namespace orv::net {
namespace {

[[noreturn]] void RaiseSocketError(int error) {
  throw ESocketError(WSocketErrorDesc(error) + " (Error #" + std::to_string(error) + ")", error);
}

}  // namespace

std::string LocalHostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "127.0.0.1";
  addrinfo hints{};
  hints.ai_flags = AI_CANONNAME;
  addrinfo* found = nullptr;
  std::string result = name;
  if (getaddrinfo(name, nullptr, &hints, &found) == 0) {
    if (found && found->ai_canonname && found->ai_canonname[0]) result = found->ai_canonname;
    freeaddrinfo(found);
  }
  return result;
}

T_TcpIp::T_TcpIp(TComponent* owner) : TComponent(owner) {}

T_TcpIp::~T_TcpIp() { Logout(); }

void T_TcpIp::Trace(const std::string& text, TTraceLevel level) {
  if (!OnTrace) return;
  std::string copy = text;
  OnTrace(copy, level);
}

void T_TcpIp::Login(const std::string& host) {
  if (LoggedIn()) Logout();
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port_));
  if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
      throw ETcpIpError("Couldn't resolve hostname " + host);
    address.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
  }
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  int error = fd_ < 0 ? errno : 0;
  if (fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    error = errno;
    if (error == EINPROGRESS) {
      try {
        WaitFor(true);
      } catch (const ESocketError& failure) {
        Logout();
        throw ESocketError("Error creating socket", failure.Error());
      }
      socklen_t length = sizeof error;
      if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
    }
  }
  if (error != 0) {
    Logout();
    throw ESocketError("Error creating socket", SocketErrorFromErrno(error));
  }
  lines_.Clear();
  buffered_.clear();
}

void T_TcpIp::Logout() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void T_TcpIp::WaitFor(bool write) {
  bool ready = false;
  LoopId watch = WatchDescriptor(fd_, write ? Readiness::Write : Readiness::Read, [&ready](Readiness) { ready = true; });
  auto deadline = std::chrono::steady_clock::now() + read_timeout_;
  while (!ready) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    WaitMessages(left);
  }
  RemoveWatch(watch);
  RethrowDeferredError();
  if (!ready) RaiseSocketError(kErrTimedOut);
}

void T_TcpIp::WriteLine(const std::string& text) {
  if (!LoggedIn()) RaiseSocketError(kErrNotConnected);
  Trace(text, tt_proto_sent);
  std::string data = text + "\r\n";
  size_t done = 0;
  while (done < data.size()) {
    ssize_t sent = ::send(fd_, data.data() + done, data.size() - done, MSG_NOSIGNAL);
    if (sent >= 0) {
      done += static_cast<size_t>(sent);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      WaitFor(true);
    } else {
      RaiseSocketError(SocketErrorFromErrno(errno));
    }
  }
}

std::string T_TcpIp::ReadLine() {
  if (!LoggedIn()) RaiseSocketError(kErrNotConnected);
  for (;;) {
    std::string_view pending = buffered_;
    std::optional<std::string> line = lines_.Next(pending);
    buffered_ = std::string(pending);
    if (lines_.Overflowed())
      throw ETcpIpError("Reply line longer than " + std::to_string(lines_.MaxLength()) + " bytes");
    if (line) {
      Trace(*line, tt_proto_get);
      return *line;
    }
    char buffer[kReceiveBufferSize];
    ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
    if (got > 0) {
      buffered_.assign(buffer, static_cast<size_t>(got));
    } else if (got == 0) {
      RaiseSocketError(kErrConnReset);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      WaitFor(false);
    } else {
      RaiseSocketError(SocketErrorFromErrno(errno));
    }
  }
}

T_SMTP::T_SMTP(TComponent* owner) : T_TcpIp(owner) { SetPort(25); }

void T_SMTP::ReadReply() {
  TSmtpReplyLine first = ParseSmtpReplyLine(ReadLine());
  if (!first.valid) throw EProtocolError("SMTP", 0, "Malformed reply from the server");
  reply_code_ = first.code;
  reply_text_ = first.text;
  bool more = first.more;
  for (int lines = 1; more; ++lines) {
    if (lines >= kMaxReplyLines) throw EProtocolError("SMTP", 0, "Reply with too many lines from the server");
    more = ParseSmtpReplyLine(ReadLine()).more;
  }
}

void T_SMTP::Command(const std::string& line, bool check) {
  WriteLine(line);
  ReadReply();
  if (check && reply_code_ >= 300) throw EProtocolError("SMTP", static_cast<uint16_t>(reply_code_), reply_text_);
}

void T_SMTP::Action() {
  if (recipients_.Count() == 0 || message_.Count() == 0 || sender_.empty()) return;
  Login(Hostname);
  local_host_ = LocalHostName();
  ReadReply();
  Command("HELO " + local_host_, true);
  Command("MAIL FROM: <" + MailboxAddress(sender_) + ">", true);
  for (int i = 0; i < recipients_.Count(); ++i)
    for (const auto& address : EntryAddresses(recipients_.Get(i))) Command("RCPT TO: <" + address + ">", false);
  Command("DATA", false);
  if (reply_code_ == 354) {
    for (int i = 0; i < message_.Count(); ++i) {
      std::string line = message_.Get(i);
      // A lone "." would end the message: it goes as ",". Any other line that
      // begins with "." gets a second one, which the server takes away again.
      if (line == ".") {
        line = ",";
      } else if (!line.empty() && line[0] == '.') {
        line = "." + line;
      }
      WriteLine(line);
    }
    WriteLine(".");
    ReadReply();
  }
  if (reply_code_ >= 300) throw EProtocolError("SMTP", static_cast<uint16_t>(reply_code_), reply_text_);
}

}  // namespace orv::net
