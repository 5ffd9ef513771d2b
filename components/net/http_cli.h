// THttpCli: an event-driven HTTP/1.0 client on TWSocket. It sends GET, HEAD
// or POST requests (directly or through a proxy, with basic authentication,
// a condition, a cookie), follows "Location" redirections (also between http
// and https), and streams the answer's body to a receive stream as it comes.
// https goes through TLS on the same socket, through a proxy by CONNECT.
// The synchronous Get, Head and Post pump the message loop until the request
// is done; Abort ends a request at once, also from an event handler.
#pragma once

#include <ctime>
#include <exception>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "components/component.h"
#include "components/net/http_answer.h"
#include "components/net/http_url.h"
#include "components/net/wsocket.h"
#include "platform/exception.h"
#include "platform/window.h"

namespace orv::net {

// The client's own messages (to its receiver window).
constexpr uint32_t kWmHttpRequestDone = 1025;
constexpr uint32_t kWmHttpSetReady = 1026;
constexpr uint32_t kWmHttpRestart = 1027;

enum THttpState {
  httpReady, httpNotConnected, httpConnected, httpDnsLookup, httpDnsLookupDone,
  httpWaitingHeader, httpWaitingBody, httpAborting
};
enum THttpRequest { httpABORT, httpGET, httpPOST, httpHEAD };

// A refused request ("HTTP component is busy", code 1; "HTTP component has
// nothing to post", code 2), a transfer that ended early (code 3) or a body
// the receive stream did not take (code 4).
class EHttpException : public Exception {
 public:
  EHttpException(const std::string& message, int code) : Exception(message), code_(code) {}
  int ErrorCode() const { return code_; }

 private:
  int code_;
};

// The request-done error codes besides socket error numbers.
constexpr uint16_t kHttpErrorAborted = 10053;    // Abort, or a TLS failure
constexpr uint16_t kHttpErrorTruncated = 3;      // closed before Content-Length bytes
constexpr uint16_t kHttpErrorStreamWrite = 4;    // the receive stream refused the data
constexpr uint16_t kHttpErrorBadAnswer = 10040;  // header line or header too long

// The HTTP client component.
class THttpCli : public TComponent {
 public:
  using TNotifyEvent = std::function<void(TObject* sender)>;
  using TOnCommand = std::function<void(TObject* sender, std::string& line)>;
  using TDocDataEvent = std::function<void(TObject* sender, const char* data, size_t size)>;
  using THttpRequestDone = std::function<void(TObject* sender, THttpRequest request, uint16_t error)>;
  using TTraceEvent = std::function<void(TObject* sender, const std::string& text)>;

  explicit THttpCli(TComponent* owner = nullptr);
  ~THttpCli() override;
  std::string ClassName() const override { return "THttpCli"; }

  // Settings (published properties).
  std::string URL, Proxy, ProxyPort = "80", Sender, Agent, Reference, Username, Password;
  std::string ProxyUsername, ProxyPassword, Cookie, ContentTypePost;
  bool NoCache = false;
  std::time_t ModifiedSince = 0;  // UTC seconds; 0: no condition
  bool MultiThreaded = false;
  // PEM certificates that https trusts instead of the system's store.
  std::string TrustedCertificates;

  // Streams of the caller: the body goes to RcvdStream as it arrives; POST
  // sends SendStream from its current position to its end.
  std::ostream* RcvdStream = nullptr;
  std::istream* SendStream = nullptr;

  TTraceEvent OnTrace;
  std::function<void(TObject* sender, const std::string& line)> OnHeaderData;
  TOnCommand OnCommand;
  TNotifyEvent OnHeaderBegin, OnHeaderEnd, OnDocBegin, OnDocEnd;
  TDocDataEvent OnDocData;
  TNotifyEvent OnSendBegin, OnSendEnd;
  TDocDataEvent OnSendData;
  TNotifyEvent OnStateChange;
  THttpRequestDone OnRequestDone;
  TNotifyEvent OnLocationChange;

  // Run-time values.
  THttpState State() const { return state_; }
  int StatusCode() const { return status_code_; }
  const std::string& ReasonPhrase() const { return reason_phrase_; }
  const std::vector<std::string>& RcvdHeader() const { return answer_.HeaderLines(); }
  int64_t ContentLength() const { return answer_.ContentLength(); }
  const std::string& ContentType() const { return answer_.ContentType(); }
  const std::vector<std::string>& AuthChallenges() const { return answer_.AuthChallenges(); }
  uint64_t RcvdCount() const { return answer_.BodySize(); }
  const std::string& DocName() const { return doc_name_; }
  const std::string& Location() const { return location_; }
  const std::string& Hostname() const { return target_.host; }
  const std::string& TargetPort() const { return target_port_; }
  const std::string& Path() const { return request_path_; }
  HWND Handle() const { return window_.Handle(); }
  TWSocket& CtrlSocket() { return socket_; }

  // Start a request and return at once; OnRequestDone reports its end.
  void GetASync() { Start(httpGET); }
  void HeadASync() { Start(httpHEAD); }
  void PostASync() { Start(httpPOST); }
  // Start a request and pump messages until it is done. A socket error
  // during the transfer, or a body cut short, is raised here.
  void Get() { DoRequestSync(httpGET); }
  void Head() { DoRequestSync(httpHEAD); }
  void Post() { DoRequestSync(httpPOST); }
  // Ends the running request with status 404 "Connection aborted on request".
  void Abort();

  // The most redirections one request follows.
  static constexpr int kMaxRedirections = 20;

 private:
  void Start(THttpRequest request);
  void DoRequestSync(THttpRequest request);
  void BeginRequest();
  void SetState(THttpState state);
  void Trace(const std::string& text);
  void Finish(int status, const std::string& reason, uint16_t error);
  void SendRequest();
  void SendTunnelRequest();
  void SendNextPostPiece();
  std::string BuildRequest();
  void ResetAnswer();
  LRESULT HandleMessage(uint32_t message, WPARAM wparam, LPARAM lparam);
  void DnsLookupDone(uint16_t error);
  void SessionConnected(uint16_t error);
  void TlsDone(uint16_t error);
  void DataAvailable();
  void TunnelAnswer(std::string_view data);
  // Whether the answer carries a body (not for HEAD, 1xx, 204 and 304).
  bool AnswerHasBody() const;
  void SessionClosed();
  void SocketFailed();
  void AnswerHeaderEnd();

  Window window_;
  TWSocket socket_;
  THttpState state_ = httpReady;
  THttpRequest request_ = httpGET;
  int status_code_ = 0;
  std::string reason_phrase_;
  std::string doc_name_;
  std::string location_;
  TUrlParts target_;
  TUrlParts credentials_origin_;  // the URL whose server gets Username and Cookie
  std::string target_port_;
  std::string request_path_;
  bool https_ = false;
  bool tunnel_ = false;          // https through a proxy
  bool tunnel_open_ = false;     // the proxy answered CONNECT with 200
  bool finishing_ = false;
  int redirections_ = 0;
  std::streampos post_start_ = 0;  // where the POST data begins in SendStream
  uint16_t done_error_ = 0;
  THttpAnswer answer_;
  THttpAnswer tunnel_answer_;
  std::exception_ptr transfer_error_;
};

}  // namespace orv::net
