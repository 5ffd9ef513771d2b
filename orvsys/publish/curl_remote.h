// Publishing through libcurl: SFTP (keys, the SSH agent or a password; host
// keys checked against ~/.ssh/known_hosts), FTP and FTP with explicit TLS
// (certificates checked, optionally against the site's own certificate
// file). Files go to a temporary name and are renamed on the server.
//
// Each operation runs libcurl's own blocking transfer on a worker thread;
// its end reaches the thread of the message loop as a posted message, and
// its progress is read from there by a timer, so every callback of TRemote
// runs on the loop's thread. Abort asks libcurl to stop through its progress
// callback, which it calls at least once a second, and waits for the worker.
#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "orvsys/publish/remote.h"
#include "orvsys/publish/site_address.h"
#include "orvsys/publish/sites_file.h"
#include "platform/message_loop.h"
#include "platform/window.h"

namespace orv {

// The remote of an sftp://, ftp:// or ftps:// site.
class TCurlRemote : public TRemote {
 public:
  explicit TCurlRemote(const TPublishSite& site);
  ~TCurlRemote() override;

  void Upload(const std::string& local_file, const std::string& path, uint64_t size, Progress progress,
              Done done) override;
  void Delete(const std::string& path, Done done) override;
  void Probe(ProbeDone done) override;
  void Abort() override;

 private:
  struct Operation;

  // A new transfer of `url` with the site's login, security and time-out
  // settings.
  std::unique_ptr<Operation> NewOperation(const std::string& url);
  // Starts the operation; `finished` gets libcurl's result once it ended.
  void Run(std::unique_ptr<Operation> operation, std::function<void(CURLcode)> finished);
  // The worker's end arrived: hands the result out.
  void Ended(uint64_t generation);
  // Hands the bytes sent so far to the operation's progress callback.
  void ReportProgress();
  // The error for a failed operation, in words the user can act on.
  EPublishError ErrorFor(CURLcode code) const;
  // Looks whether `path` is still on the server, after a delete failed.
  void CheckGone(const std::string& path, EPublishError failure, Done done);
  // The path an SFTP command names for `path` below the site's folder.
  std::string SftpPath(const std::string& path) const;

  static int OnHostKey(CURL* easy, const curl_khkey* known, const curl_khkey* found, curl_khmatch match,
                       void* self);

  TPublishSite site_;
  TSiteAddress address_;
  std::unique_ptr<Operation> operation_;
  std::function<void(CURLcode)> finished_;
  // Counts operations, so the end of an aborted one is ignored.
  uint64_t generation_ = 0;
  uint64_t reported_ = 0;
  LoopId progress_timer_ = 0;
  Window window_;
  curl_khmatch host_key_match_ = CURLKHMATCH_OK;
};

}  // namespace orv
