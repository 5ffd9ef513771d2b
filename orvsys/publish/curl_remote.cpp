#include "orvsys/publish/curl_remote.h"

#include <openssl/evp.h>
#include <pwd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>

#include "platform/files.h"
#include "platform/paths.h"

namespace orv {

// One libcurl transfer with what its callbacks keep.
struct TCurlRemote::Operation {
  CURL* easy = nullptr;
  curl_slist* quote = nullptr;
  curl_slist* post_quote = nullptr;
  std::FILE* file = nullptr;
  char error[CURL_ERROR_SIZE] = {};
  std::string last_reply;  // the server's last reply line (FTP)
  Progress progress;
  std::atomic<uint64_t> sent{0};
  std::atomic<bool> cancel{false};
  CURLcode result = CURLE_OK;
  std::thread worker;

  ~Operation() {
    if (worker.joinable()) worker.join();
    if (easy) curl_easy_cleanup(easy);
    curl_slist_free_all(quote);
    curl_slist_free_all(post_quote);
    if (file) std::fclose(file);
  }
};

namespace {

// How long a connection may take to open, and how long a transfer may stall.
constexpr long kConnectSeconds = 30;
constexpr long kStallSeconds = 60;

// The message a worker posts when its transfer ended; WPARAM is the
// operation's generation.
constexpr uint32_t kTransferEnded = 0x8000;
// How often the progress of a running transfer is shown.
constexpr std::chrono::milliseconds kProgressInterval(100);

void StartCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

// Called by libcurl on the worker: keeps the bytes sent and stops the
// transfer once Abort asked for it.
template <class Operation>
int OnProgress(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent) {
  auto* operation = static_cast<Operation*>(data);
  if (sent > 0) operation->sent = static_cast<uint64_t>(sent);
  return operation->cancel ? 1 : 0;
}

// Keeps the server's last reply line (FTP replies arrive as incoming headers).
int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* reply_pointer) {
  if (type != CURLINFO_HEADER_IN) return 0;
  std::string line(data, size);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (!line.empty()) *static_cast<std::string*>(reply_pointer) = line;
  return 0;
}

// The name of the user running ORV, the SSH user when the address names none.
std::string LocalUserName() {
  const passwd* entry = ::getpwuid(::getuid());
  return entry && entry->pw_name ? entry->pw_name : "";
}

// A path in an SFTP command, quoted as libcurl reads it.
std::string Quoted(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

const char* KeyTypeName(curl_khtype type) {
  switch (type) {
    case CURLKHTYPE_RSA1:
    case CURLKHTYPE_RSA: return "ssh-rsa";
    case CURLKHTYPE_DSS: return "ssh-dss";
    case CURLKHTYPE_ECDSA: return "ecdsa-sha2-nistp256";
    case CURLKHTYPE_ED25519: return "ssh-ed25519";
    default: return "unknown";
  }
}

THostKey KeyOf(const curl_khkey& key) {
  THostKey result;
  result.Type = KeyTypeName(key.keytype);
  if (key.len == 0) {
    result.Base64 = key.key;
    return result;
  }
  std::string text(4 * ((key.len + 2) / 3) + 1, '\0');
  const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                                      reinterpret_cast<const unsigned char*>(key.key), static_cast<int>(key.len));
  text.resize(static_cast<size_t>(written));
  result.Base64 = text;
  return result;
}

bool IsMissing(CURLcode code) { return code == CURLE_REMOTE_FILE_NOT_FOUND || code == CURLE_REMOTE_ACCESS_DENIED; }

}  // namespace

TCurlRemote::TCurlRemote(const TPublishSite& site)
    : site_(site),
      address_(ParseSiteAddress(site.Url)),
      window_([this](uint32_t message, WPARAM generation, LPARAM) -> LRESULT {
        if (message == kTransferEnded) Ended(generation);
        return 0;
      }) {
  StartCurl();
}

TCurlRemote::~TCurlRemote() { Abort(); }

std::unique_ptr<TCurlRemote::Operation> TCurlRemote::NewOperation(const std::string& url) {
  auto operation = std::make_unique<Operation>();
  CURL* easy = operation->easy = curl_easy_init();
  if (!easy) throw std::bad_alloc();
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, operation->error);
  curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &OnDebug);
  curl_easy_setopt(easy, CURLOPT_DEBUGDATA, &operation->last_reply);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &OnProgress<Operation>);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, operation.get());
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Discard);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, kStallSeconds);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  // A password the user typed wins over ~/.netrc.
  if (std::optional<std::string> password = RememberedPassword(address_)) {
    curl_easy_setopt(easy, CURLOPT_PASSWORD, password->c_str());
  } else {
    curl_easy_setopt(easy, CURLOPT_NETRC, static_cast<long>(CURL_NETRC_OPTIONAL));
    curl_easy_setopt(easy, CURLOPT_NETRC_FILE, NetrcFile().c_str());
  }
  if (address_.Protocol == PublishProtocol::Sftp) {
    if (address_.User.empty()) curl_easy_setopt(easy, CURLOPT_USERNAME, LocalUserName().c_str());
    curl_easy_setopt(easy, CURLOPT_SSH_AUTH_TYPES,
                     static_cast<long>(CURLSSH_AUTH_PUBLICKEY | CURLSSH_AUTH_AGENT | CURLSSH_AUTH_PASSWORD |
                                       CURLSSH_AUTH_KEYBOARD));
    curl_easy_setopt(easy, CURLOPT_SSH_KNOWNHOSTS, KnownHostsFile().c_str());
    curl_easy_setopt(easy, CURLOPT_SSH_KEYFUNCTION, &TCurlRemote::OnHostKey);
    curl_easy_setopt(easy, CURLOPT_SSH_KEYDATA, this);
    if (std::string identity = SshIdentityFile(); !identity.empty()) {
      curl_easy_setopt(easy, CURLOPT_SSH_PRIVATE_KEYFILE, identity.c_str());
      if (FileExists(identity + ".pub"))
        curl_easy_setopt(easy, CURLOPT_SSH_PUBLIC_KEYFILE, (identity + ".pub").c_str());
    }
  } else {
    if (!site_.Passive) curl_easy_setopt(easy, CURLOPT_FTPPORT, "-");
    if (address_.Protocol == PublishProtocol::Ftps) {
      curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
      // Widely installed FTPS servers (vsftpd 3.0) fail uploads on TLS 1.3
      // data connections with "426 Failure reading network stream"; TLS 1.2
      // works with all of them.
      curl_easy_setopt(easy, CURLOPT_SSLVERSION,
                       static_cast<long>(CURL_SSLVERSION_TLSv1_2) | static_cast<long>(CURL_SSLVERSION_MAX_TLSv1_2));
    }
    if (!site_.CaFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, site_.CaFile.c_str());
  }
  return operation;
}

void TCurlRemote::Run(std::unique_ptr<Operation> operation, std::function<void(CURLcode)> finished) {
  Abort();
  operation_ = std::move(operation);
  finished_ = std::move(finished);
  host_key_match_ = CURLKHMATCH_OK;
  reported_ = 0;
  Operation* running = operation_.get();
  const HWND window = window_.Handle();
  const uint64_t generation = ++generation_;
  running->worker = std::thread([running, window, generation] {
    running->result = curl_easy_perform(running->easy);
    PostMessage(window, kTransferEnded, generation, 0);
  });
  progress_timer_ = AddTimer(kProgressInterval, [this] { ReportProgress(); });
}

void TCurlRemote::ReportProgress() {
  if (!operation_ || !operation_->progress) return;
  const uint64_t sent = operation_->sent;
  if (sent == reported_) return;
  reported_ = sent;
  operation_->progress(sent);
}

void TCurlRemote::Ended(uint64_t generation) {
  if (generation != generation_ || !operation_) return;
  operation_->worker.join();
  RemoveTimer(progress_timer_);
  progress_timer_ = 0;
  ReportProgress();
  // `finished` may start the next operation, which replaces these.
  std::function<void(CURLcode)> finished = std::move(finished_);
  finished(operation_->result);
}

void TCurlRemote::Abort() {
  CancelLater();
  RemoveTimer(progress_timer_);
  progress_timer_ = 0;
  ++generation_;
  if (operation_) {
    operation_->cancel = true;
    if (operation_->worker.joinable()) operation_->worker.join();
  }
  operation_.reset();
}

std::string TCurlRemote::SftpPath(const std::string& path) const {
  std::string full = IncludeTrailingSlash(address_.DecodedPath()) + path;
  // "/~/" is the user's home, where the SFTP server starts.
  if (full.compare(0, 3, "/~/") == 0) full.erase(0, 3);
  return full;
}

void TCurlRemote::Upload(const std::string& local_file, const std::string& path, uint64_t size, Progress progress,
                         Done done) {
  auto operation = NewOperation(address_.CurlUrl(PartName(path)));
  operation->file = std::fopen(local_file.c_str(), "rb");
  if (!operation->file) {
    Later([done, failure = EPublishError(PublishFailure::Failed,
                                         "Cannot read \"" + local_file + "\": " + std::strerror(errno))] {
      done(&failure);
    });
    return;
  }
  CURL* easy = operation->easy;
  curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(easy, CURLOPT_READDATA, operation->file);
  curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  curl_easy_setopt(easy, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
  // The finished file replaces the old one only once it is complete. SFTP
  // servers refuse to rename over a file, so the old one goes just before.
  if (address_.Protocol == PublishProtocol::Sftp) {
    operation->post_quote = curl_slist_append(operation->post_quote, ("*rm " + Quoted(SftpPath(path))).c_str());
    operation->post_quote = curl_slist_append(
        operation->post_quote, ("rename " + Quoted(SftpPath(PartName(path))) + " " + Quoted(SftpPath(path))).c_str());
  } else {
    operation->post_quote = curl_slist_append(operation->post_quote, ("RNFR " + ExtractFileName(PartName(path))).c_str());
    operation->post_quote = curl_slist_append(operation->post_quote, ("RNTO " + ExtractFileName(path)).c_str());
  }
  curl_easy_setopt(easy, CURLOPT_POSTQUOTE, operation->post_quote);
  operation->progress = std::move(progress);
  Run(std::move(operation), [this, done](CURLcode code) {
    if (code == CURLE_OK) return done(nullptr);
    const EPublishError failure = ErrorFor(code);
    done(&failure);
  });
}

void TCurlRemote::Delete(const std::string& path, Done done) {
  std::unique_ptr<Operation> operation;
  if (address_.Protocol == PublishProtocol::Sftp) {
    operation = NewOperation(address_.CurlUrl("", true));
    operation->quote = curl_slist_append(operation->quote, ("rm " + Quoted(SftpPath(path))).c_str());
    curl_easy_setopt(operation->easy, CURLOPT_QUOTE, operation->quote);
  } else {
    operation = NewOperation(address_.CurlUrl(ExtractFilePath(path), true));
    operation->post_quote = curl_slist_append(operation->post_quote, ("DELE " + ExtractFileName(path)).c_str());
    curl_easy_setopt(operation->easy, CURLOPT_POSTQUOTE, operation->post_quote);
  }
  curl_easy_setopt(operation->easy, CURLOPT_NOBODY, 1L);
  Run(std::move(operation), [this, path, done](CURLcode code) {
    if (code == CURLE_OK) return done(nullptr);
    EPublishError failure = ErrorFor(code);
    if (code == CURLE_QUOTE_ERROR || IsMissing(code)) return CheckGone(path, failure, done);
    done(&failure);
  });
}

void TCurlRemote::CheckGone(const std::string& path, EPublishError failure, Done done) {
  auto operation = NewOperation(address_.CurlUrl(path));
  curl_easy_setopt(operation->easy, CURLOPT_NOBODY, 1L);
  Run(std::move(operation), [failure, done](CURLcode code) { done(IsMissing(code) ? nullptr : &failure); });
}

void TCurlRemote::Probe(ProbeDone done) {
  auto operation = NewOperation(address_.CurlUrl("", true));
  curl_easy_setopt(operation->easy, CURLOPT_DIRLISTONLY, 1L);
  Run(std::move(operation), [this, done](CURLcode code) {
    if (code == CURLE_OK || IsMissing(code)) return done(nullptr, code == CURLE_OK);
    const EPublishError failure = ErrorFor(code);
    done(&failure, false);
  });
}

int TCurlRemote::OnHostKey(CURL*, const curl_khkey*, const curl_khkey* found, curl_khmatch match, void* self) {
  auto* remote = static_cast<TCurlRemote*>(self);
  remote->host_key_match_ = match;
  if (found) remote->offered_key_ = KeyOf(*found);
  return match == CURLKHMATCH_OK ? CURLKHSTAT_FINE : CURLKHSTAT_REJECT;
}

EPublishError TCurlRemote::ErrorFor(CURLcode code) const {
  const std::string detail = operation_ && operation_->error[0] ? operation_->error : curl_easy_strerror(code);
  const std::string reply =
      operation_ && !operation_->last_reply.empty() ? " (the server said: " + operation_->last_reply + ")" : "";
  const std::string host = address_.HostAndPort();
  switch (code) {
    case CURLE_LOGIN_DENIED:
      return EPublishError(PublishFailure::LoginDenied,
                           "The server " + host + " refused the login" +
                               (address_.User.empty() ? "" : " of \"" + address_.User + "\"") + reply + ".");
    case CURLE_PEER_FAILED_VERIFICATION:
      if (address_.Protocol != PublishProtocol::Sftp)
        return EPublishError(PublishFailure::Failed,
                             "The certificate of " + host + " could not be verified: " + detail +
                                 ". A site with a certificate of its own can name it under cafile in sites.ini.");
      if (host_key_match_ == CURLKHMATCH_MISMATCH)
        return EPublishError(PublishFailure::HostKeyChanged,
                             "The host key of " + host + " (" + offered_key_.Fingerprint() +
                                 ") differs from the one stored for it in " + KnownHostsFile() +
                                 ". The server may have been set up again, or someone may be intercepting the "
                                 "connection, so ORV does not connect. If you know why the key changed, remove "
                                 "the old line from that file.");
      return EPublishError(PublishFailure::HostKeyUnknown,
                           "The host key of " + host + " is not known: " + offered_key_.Type + " " +
                               offered_key_.Fingerprint() + ". ORV connects only to SSH servers listed in " +
                               KnownHostsFile() + ".");
    case CURLE_SSL_CACERT_BADFILE:
      return EPublishError(PublishFailure::Failed,
                           "The certificate file \"" + site_.CaFile + "\" cannot be used: " + detail);
    case CURLE_USE_SSL_FAILED:
      return EPublishError(PublishFailure::Failed, "The server " + host + " does not offer TLS, which an ftps:// "
                                                   "site asks for" + reply + ".");
    default:
      break;
  }
  return EPublishError(PublishFailure::Failed, detail + reply);
}

}  // namespace orv
