// Publishing to a folder of this machine (file:///path, also a mounted
// share): plain copies, a bounded piece per pass of the message loop, each
// file written under a temporary name and renamed into place.
#pragma once

#include <cstdio>
#include <string>

#include "orvsys/publish/remote.h"
#include "platform/message_loop.h"

namespace orv {

// The remote of a file:// site.
class TFolderRemote : public TRemote {
 public:
  explicit TFolderRemote(std::string folder);
  ~TFolderRemote() override;

  void Upload(const std::string& local_file, const std::string& path, uint64_t size, Progress progress,
              Done done) override;
  void Delete(const std::string& path, Done done) override;
  void Probe(ProbeDone done) override;
  void Abort() override;

 private:
  // Copies the next piece; ends the upload after the last one.
  void CopyPiece();
  // Closes both files and stops the copy, deleting the partial file.
  void StopCopy();

  std::string folder_;
  std::FILE* source_ = nullptr;
  std::FILE* target_ = nullptr;
  std::string part_path_;
  std::string final_path_;
  uint64_t copied_ = 0;
  Progress progress_;
  Done done_;
  LoopId timer_ = 0;
};

}  // namespace orv
