#include "components/net/http_cli.h"

#include <strings.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>

#include "components/net/base64.h"
#include "components/net/deferred_error.h"
#include "platform/message_loop.h"

namespace orv::net {
namespace {

const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string HttpDate(std::time_t when) {
  std::tm parts{};
  gmtime_r(&when, &parts);
  char text[64];
  std::snprintf(text, sizeof text, "%s, %2.2d %s %4.4d %2.2d:%2.2d:%2.2d GMT", kDays[parts.tm_wday], parts.tm_mday,
                kMonths[parts.tm_mon], parts.tm_year + 1900, parts.tm_hour, parts.tm_min, parts.tm_sec);
  return text;
}

bool EndsWithNoCase(const std::string& text, const char* suffix) {
  size_t length = std::strlen(suffix);
  return text.size() >= length && strcasecmp(text.c_str() + text.size() - length, suffix) == 0;
}

constexpr size_t kReceiveBufferSize = 8192;

}  // namespace

THttpCli::THttpCli(TComponent* owner)
    : TComponent(owner), window_([this](uint32_t message, WPARAM wparam, LPARAM lparam) {
        return HandleMessage(message, wparam, lparam);
      }) {
  socket_.OnDnsLookupDone = [this](TObject*, uint16_t error) { DnsLookupDone(error); };
  socket_.OnSessionConnected = [this](TObject*, uint16_t error) { SessionConnected(error); };
  socket_.OnTlsDone = [this](TObject*, uint16_t error) { TlsDone(error); };
  socket_.OnDataAvailable = [this](TObject*, uint16_t) { DataAvailable(); };
  socket_.OnSessionClosed = [this](TObject*, uint16_t) { SessionClosed(); };
  socket_.OnDataSent = [this](TObject*, uint16_t) { SendNextPostPiece(); };
  socket_.OnError = [this](TObject*, uint16_t) { SocketFailed(); };
}

THttpCli::~THttpCli() {
  socket_.OnSessionClosed = nullptr;
  socket_.Abort();
}

void THttpCli::SetState(THttpState state) {
  state_ = state;
  if (OnStateChange) OnStateChange(this);
}

void THttpCli::Trace(const std::string& text) {
  if (OnTrace) OnTrace(this, text);
}

void THttpCli::Start(THttpRequest request) {
  if (state_ != httpReady) throw EHttpException("HTTP component is busy", 1);
  if (request == httpPOST && !SendStream) throw EHttpException("HTTP component has nothing to post", 2);
  request_ = request;
  if (request == httpPOST) post_start_ = SendStream->tellg();
  redirections_ = 0;
  transfer_error_ = nullptr;
  BeginRequest();
}

void THttpCli::DoRequestSync(THttpRequest request) {
  Start(request);
  // The loop serves every source of the process at once (ORV has one loop),
  // so MultiThreaded and a full pump wait the same way.
  while (state_ != httpReady) WaitMessages(std::chrono::milliseconds(-1));
  RethrowDeferredError();
  if (transfer_error_) std::rethrow_exception(std::exchange(transfer_error_, nullptr));
}

void THttpCli::ResetAnswer() {
  answer_ = THttpAnswer();
  answer_.OnHeaderLine = [this](const std::string& line) {
    if (answer_.HeaderLines().empty() && OnHeaderBegin) OnHeaderBegin(this);
    Trace("< " + line);
    if (OnHeaderData) OnHeaderData(this, line);
  };
  answer_.OnHeaderEnd = [this] { AnswerHeaderEnd(); };
  answer_.OnBody = [this](const char* data, size_t size) {
    if (state_ != httpWaitingBody) return;
    if (OnDocData) OnDocData(this, data, size);
    if (RcvdStream && !RcvdStream->write(data, static_cast<std::streamsize>(size))) {
      transfer_error_ = std::make_exception_ptr(
          EHttpException("The received document could not be written", kHttpErrorStreamWrite));
      Finish(0, "", kHttpErrorStreamWrite);
    }
  };
}

void THttpCli::BeginRequest() {
  status_code_ = 0;
  reason_phrase_.clear();
  location_.clear();
  finishing_ = false;
  tunnel_open_ = false;
  done_error_ = 0;
  ResetAnswer();
  tunnel_answer_ = THttpAnswer();
  target_ = ParseURL(URL);
  std::string scheme = target_.proto.empty() ? "http" : target_.proto;
  for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  doc_name_ = DocumentName(target_.path);
  request_path_ = EncodeRequestPath(target_.path.empty() ? "/" : target_.path);
  // Credentials belong to the server they were given for: the first URL's,
  // or the one a redirection names them with.
  if (redirections_ == 0 || !target_.user.empty()) credentials_origin_ = target_;
  if (!target_.user.empty()) {
    Username = target_.user;
    Password = target_.pass;
  }
  SetState(httpNotConnected);
  if (scheme != "http" && scheme != "https")
    return Finish(404, "Unsupported protocol '" + scheme + "'", kHttpErrorBadAnswer);
  https_ = scheme == "https";
  target_port_ = target_.port.empty() ? (https_ ? "443" : "80") : target_.port;
  std::string connect_host = target_.host;
  std::string connect_port = target_port_;
  tunnel_ = false;
  if (!Proxy.empty()) {
    TUrlParts proxy = ParseURL(Proxy);
    connect_host = proxy.host;
    connect_port = proxy.port.empty() ? ProxyPort : proxy.port;
    tunnel_ = https_;
    if (!https_) request_path_ = scheme + "://" + HostAndPort(target_) + request_path_;
  }
  Trace("Connecting to " + connect_host + ":" + connect_port);
  SetState(httpDnsLookup);
  try {
    socket_.SetPort(connect_port);
    socket_.DnsLookup(connect_host);
  } catch (const ESocketException&) {
    DnsLookupDone(kErrHostNotFound);
  }
}

void THttpCli::DnsLookupDone(uint16_t error) {
  if (state_ != httpDnsLookup) return;
  if (error) return Finish(404, "can't resolve hostname to IP address", error);
  SetState(httpDnsLookupDone);
  try {
    socket_.SetAddr(socket_.DnsResult());
    socket_.Connect();
  } catch (const ESocketException& failure) {
    Finish(404, failure.what(), static_cast<uint16_t>(failure.Error() ? failure.Error() : kErrInvalidArgument));
  }
}

void THttpCli::SessionConnected(uint16_t error) {
  if (state_ != httpDnsLookupDone) return;
  if (error)
    return Finish(404, WSocketErrorDesc(error) + " (Error #" + std::to_string(error) + ")", error);
  SetState(httpConnected);
  if (tunnel_) return SendTunnelRequest();
  if (https_) return socket_.StartTls(target_.host, TrustedCertificates);
  SendRequest();
}

void THttpCli::TlsDone(uint16_t error) {
  if (state_ != httpConnected) return;
  if (error) return Finish(404, "TLS handshake with " + target_.host + " failed: " + socket_.TlsError(), error);
  SendRequest();
}

void THttpCli::SendTunnelRequest() {
  std::string authority = target_.host + ":" + target_port_;
  std::string request = "CONNECT " + authority + " HTTP/1.0\r\nHost: " + authority + "\r\n";
  if (!ProxyUsername.empty())
    request += "Proxy-Authorization: Basic " + Base64Encode(ProxyUsername + ":" + ProxyPassword) + "\r\n";
  request += "\r\n";
  Trace("> CONNECT " + authority);
  SetState(httpWaitingHeader);
  socket_.SendStr(request);
}

std::string THttpCli::BuildRequest() {
  static const char* const kMethods[] = {"", "GET", "POST", "HEAD"};
  bool post = request_ == httpPOST;
  std::vector<std::string> lines;
  lines.push_back(std::string(kMethods[request_]) + " " + request_path_ + " HTTP/1.0");
  if (!Sender.empty()) lines.push_back("From: " + Sender);
  if (!Reference.empty()) lines.push_back("Referer: " + Reference);
  if (post && !ContentTypePost.empty()) lines.push_back("Content-Type: " + ContentTypePost);
  if (!Agent.empty()) lines.push_back("User-Agent: " + Agent);
  lines.push_back("Host: " + HostAndPort(target_));
  if (NoCache) lines.push_back("Pragma: no-cache");
  if (post) {
    SendStream->seekg(0, std::ios::end);
    std::streamoff size = SendStream->tellg() - post_start_;
    SendStream->seekg(post_start_);
    lines.push_back("Content-Length: " + std::to_string(size));
  }
  if (ModifiedSince != 0) lines.push_back("If-Modified-Since: " + HttpDate(ModifiedSince));
  // A redirection to another scheme, host or port goes without the user's
  // credentials and cookie; the proxy's go to the proxy only.
  const bool own_server = SameOrigin(target_, credentials_origin_);
  if (own_server && !Username.empty())
    lines.push_back("Authorization: Basic " + Base64Encode(Username + ":" + Password));
  if (!Proxy.empty() && !ProxyUsername.empty() && !tunnel_)
    lines.push_back("Proxy-Authorization: Basic " + Base64Encode(ProxyUsername + ":" + ProxyPassword));
  if (own_server && !Cookie.empty()) lines.push_back("Cookie: " + Cookie);
  lines.push_back("");
  std::string request;
  for (auto& line : lines) {
    if (OnCommand) OnCommand(this, line);
    Trace("> " + line);
    request += line + "\r\n";
  }
  return request;
}

void THttpCli::SendRequest() {
  // A redirected POST sends the same data again.
  if (request_ == httpPOST) {
    SendStream->clear();
    SendStream->seekg(post_start_);
  }
  std::string request = BuildRequest();
  SetState(httpWaitingHeader);
  socket_.SendStr(request);
  if (request_ == httpPOST) {
    if (OnSendBegin) OnSendBegin(this);
    SendNextPostPiece();
  }
}

void THttpCli::SendNextPostPiece() {
  if (request_ != httpPOST || state_ != httpWaitingHeader || finishing_ || !SendStream || !SendStream->good()) return;
  char piece[kReceiveBufferSize];
  SendStream->read(piece, sizeof piece);
  std::streamsize got = SendStream->gcount();
  if (got > 0) {
    if (OnSendData) OnSendData(this, piece, static_cast<size_t>(got));
    socket_.Send(piece, static_cast<size_t>(got));
  }
  if (!SendStream->good() && OnSendEnd) OnSendEnd(this);
}

void THttpCli::DataAvailable() {
  if (state_ != httpWaitingHeader && state_ != httpWaitingBody) return;
  // One read per event: the loop gets back control between the pieces of a
  // long answer, so the user can cancel it.
  char buffer[kReceiveBufferSize];
  int got = socket_.Receive(buffer, sizeof buffer);
  if (got <= 0) return;
  std::string_view data(buffer, static_cast<size_t>(got));
  if (tunnel_ && !tunnel_open_) return TunnelAnswer(data);
  if (!answer_.Feed(data)) Finish(404, answer_.Error(), kHttpErrorBadAnswer);
}

void THttpCli::TunnelAnswer(std::string_view data) {
  if (!tunnel_answer_.Feed(data)) return Finish(404, tunnel_answer_.Error(), kHttpErrorBadAnswer);
  if (!tunnel_answer_.HeaderDone()) return;
  if (tunnel_answer_.StatusCode() != 200)
    return Finish(tunnel_answer_.StatusCode() ? tunnel_answer_.StatusCode() : 404,
                  "Proxy refused the tunnel: " + tunnel_answer_.ReasonPhrase(), kHttpErrorBadAnswer);
  tunnel_open_ = true;
  SetState(httpConnected);
  socket_.StartTls(target_.host, TrustedCertificates);
}

void THttpCli::AnswerHeaderEnd() {
  status_code_ = answer_.StatusCode();
  reason_phrase_ = answer_.ReasonPhrase();
  if (!answer_.Location().empty()) {
    location_ = CompleteLocation(answer_.Location(), target_);
    if (++redirections_ > kMaxRedirections)
      return Finish(404, "Too many redirections (more than " + std::to_string(kMaxRedirections) + ")",
                    kHttpErrorBadAnswer);
    Trace("Redirected to " + location_);
    socket_.Abort();
    SetState(httpNotConnected);
    orv::PostMessage(Handle(), kWmHttpRestart, 0, 0);
    return;
  }
  if (EndsWithNoCase(doc_name_, ".exe") && strcasecmp(answer_.ContentType().c_str(), "text/html") == 0)
    doc_name_ = doc_name_.substr(0, doc_name_.size() - 3) + "htm";
  SetState(httpWaitingBody);
  if (OnHeaderEnd) OnHeaderEnd(this);
  if (OnDocBegin) OnDocBegin(this);
}

void THttpCli::SessionClosed() {
  if (finishing_ || state_ == httpReady) return;
  if (state_ == httpWaitingBody) {
    if (OnDocEnd) OnDocEnd(this);
    int64_t expected = answer_.ContentLength();
    if (AnswerHasBody() && expected >= 0 && answer_.BodySize() < static_cast<uint64_t>(expected)) {
      std::string message = "Connection closed after " + std::to_string(answer_.BodySize()) + " of " +
                            std::to_string(expected) + " bytes of the document";
      transfer_error_ = std::make_exception_ptr(EHttpException(message, kHttpErrorTruncated));
      return Finish(0, "", kHttpErrorTruncated);
    }
    return Finish(0, "", 0);
  }
  if (state_ == httpWaitingHeader && answer_.Started())
    return Finish(404, "The server closed the connection before the end of the answer's header", kErrConnReset);
  Finish(404, "The server closed the connection without an answer", kErrConnReset);
}

bool THttpCli::AnswerHasBody() const {
  int status = answer_.StatusCode();
  return request_ != httpHEAD && status >= 200 && status != 204 && status != 304;
}

void THttpCli::SocketFailed() {
  if (finishing_ || state_ == httpReady) return;
  transfer_error_ = std::make_exception_ptr(ESocketException(socket_.ErrorMessage(), socket_.LastError()));
  Finish(0, "", static_cast<uint16_t>(socket_.LastError()));
}

void THttpCli::Abort() {
  if (state_ == httpReady || finishing_) return;
  SetState(httpAborting);
  socket_.CancelDnsLookup();
  Finish(404, "Connection aborted on request", kHttpErrorAborted);
}

void THttpCli::Finish(int status, const std::string& reason, uint16_t error) {
  if (finishing_) return;
  finishing_ = true;
  if (status != 0) {
    status_code_ = status;
    reason_phrase_ = reason;
  }
  Trace("Request done: " + std::to_string(status_code_) + " " + reason_phrase_);
  done_error_ = error;
  socket_.Abort();
  orv::PostMessage(Handle(), kWmHttpRequestDone, 0, 0);
}

LRESULT THttpCli::HandleMessage(uint32_t message, WPARAM, LPARAM) {
  try {
    if (message == kWmHttpRequestDone) {
      SetState(httpReady);
      if (OnRequestDone) OnRequestDone(this, request_, done_error_);
    } else if (message == kWmHttpRestart && state_ == httpNotConnected && !finishing_) {
      URL = location_;
      if (OnLocationChange) OnLocationChange(this);
      BeginRequest();
    }
  } catch (...) {
    DeferError(std::current_exception());
  }
  return 0;
}

}  // namespace orv::net
