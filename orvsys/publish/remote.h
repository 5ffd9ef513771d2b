// The far side of a publish: what sends one file to a site, deletes one, or
// checks that the site can be reached. Every operation starts and returns at
// once; the message loop runs it, so a window stays live meanwhile, and its
// end arrives as a call of `done`.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "orvsys/publish/credentials.h"
#include "orvsys/publish/publish_error.h"
#include "platform/message_loop.h"

namespace orv {

struct TPublishSite;

// One site's transfers; one operation at a time.
class TRemote {
 public:
  // The end of an operation: null on success, else why it failed.
  using Done = std::function<void(const EPublishError* error)>;
  // Bytes of the current file sent so far.
  using Progress = std::function<void(uint64_t bytes)>;
  // The end of Probe: `folder_exists` tells whether the site's folder is
  // there yet (publishing creates it).
  using ProbeDone = std::function<void(const EPublishError* error, bool folder_exists)>;

  virtual ~TRemote();

  // Sends the local file to `path` below the site's folder: to a temporary
  // name first, renamed over the old file once complete, creating missing
  // folders.
  virtual void Upload(const std::string& local_file, const std::string& path, uint64_t size, Progress progress,
                      Done done) = 0;
  // Deletes `path` below the site's folder; a file that is already gone
  // counts as deleted.
  virtual void Delete(const std::string& path, Done done) = 0;
  // Logs in and looks at the site's folder.
  virtual void Probe(ProbeDone done) = 0;
  // Stops the running operation at once; its `done` is not called.
  virtual void Abort() = 0;

  // The host key an SFTP server offered when the last operation failed with
  // HostKeyUnknown or HostKeyChanged.
  const THostKey& OfferedHostKey() const { return offered_key_; }

 protected:
  // Runs `work` from the message loop (once), as an operation that ended
  // before it began (a file that cannot be opened) still reports its end.
  void Later(std::function<void()> work);
  // Drops work that Later has not run yet.
  void CancelLater();

  THostKey offered_key_;

 private:
  LoopId later_ = 0;
};

// The temporary name a file is written under before the rename: a hidden
// name in the same folder (".index.html.orv-part").
std::string PartName(const std::string& path);

// The remote for the site's address: libcurl for sftp, ftp and ftps, plain
// copies for file://. Raises EPublishError (BadSite) for a bad address.
std::unique_ptr<TRemote> MakeRemote(const TPublishSite& site);

}  // namespace orv
