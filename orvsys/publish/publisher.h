// One publish of a folder to a site: works out what changed since the last
// publish, sends it file by file through the site's remote (then deletes what
// left the folder, when the site asks for that), and keeps the site's
// manifest describing exactly what reached the server, also when the
// transfer fails or is cancelled half-way.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "orvsys/publish/manifest.h"
#include "orvsys/publish/publish_plan.h"
#include "orvsys/publish/remote.h"
#include "orvsys/publish/sites_file.h"

namespace orv {

// Where a running publish stands.
struct TPublishProgress {
  size_t FilesDone = 0;
  size_t FilesTotal = 0;  // files to send and to delete
  uint64_t BytesDone = 0;
  uint64_t BytesTotal = 0;
  std::string Current;  // the file being sent or deleted
  bool Deleting = false;
};

// Publishes one folder to one site.
class TPublisher {
 public:
  struct Events {
    std::function<void(const TPublishProgress&)> Progress;
    // A file reached the server or was deleted there.
    std::function<void(const std::string& path, bool deleted)> FileDone;
    // The publish ended: null when everything was done, else why not (kind
    // Cancelled after Cancel).
    std::function<void(const EPublishError* error)> Finished;
  };

  // Raises EPublishError (BadSite) when the site's address is bad.
  TPublisher(TPublishSite site, std::string folder);
  ~TPublisher();

  // Reads the manifest and the folder and works out the plan. Raises
  // EPublishError when the folder cannot be read.
  const TPublishPlan& Prepare();
  const TPublishPlan& Plan() const { return plan_; }

  // Carries out the plan (Prepare first); returns at once, the message loop
  // does the work. Events arrive from the loop.
  void Start(Events events);
  // Stops at once, saves the manifest and reports Cancelled.
  void Cancel();
  bool Running() const { return running_; }

  const TPublishSite& Site() const { return site_; }
  TRemote& Remote() { return *remote_; }
  const TPublishManifest& Manifest() const { return manifest_; }

 private:
  // Starts the next upload or delete, or finishes.
  void Next();
  void StepDone(const EPublishError* error);
  // Saves the manifest now, or when `throttled`, at most once a second.
  void SaveManifest(bool throttled);
  void Finish(const EPublishError* error);
  void Report();

  TPublishSite site_;
  std::string folder_;
  std::unique_ptr<TRemote> remote_;
  std::string manifest_file_;
  TPublishManifest manifest_;
  TPublishPlan plan_;
  Events events_;
  TPublishProgress progress_;
  uint64_t bytes_before_current_ = 0;
  size_t next_ = 0;
  bool running_ = false;
  std::chrono::steady_clock::time_point last_save_;
};

// Runs a publish to its end in the message loop; `cancel`, when it returns
// true, stops it. For programs without a window.
void RunPublish(TPublisher& publisher, TPublisher::Events events, const std::function<bool()>& cancel);

}  // namespace orv
