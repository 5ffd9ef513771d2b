#include "orvsys/publish/folder_remote.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"

namespace orv {

namespace {

// What one pass of the loop copies: small enough that Cancel is seen at once.
constexpr size_t kPieceSize = 1 << 20;

EPublishError Failure(const std::string& what, const std::string& path, int error) {
  return EPublishError(PublishFailure::Failed, what + " \"" + path + "\": " + std::strerror(error));
}

}  // namespace

TFolderRemote::TFolderRemote(std::string folder) : folder_(IncludeTrailingSlash(folder)) {}

TFolderRemote::~TFolderRemote() { Abort(); }

void TFolderRemote::Upload(const std::string& local_file, const std::string& path, uint64_t, Progress progress,
                           Done done) {
  progress_ = std::move(progress);
  done_ = std::move(done);
  copied_ = 0;
  final_path_ = folder_ + path;
  part_path_ = folder_ + PartName(path);
  int error = 0;
  std::string failed_path = local_file;
  std::string what = "Cannot read";
  source_ = std::fopen(local_file.c_str(), "rb");
  if (!source_) {
    error = errno;
  } else if (!ForceDirectories(ExtractFilePath(final_path_))) {
    error = errno;
    failed_path = ExtractFilePath(final_path_);
    what = "Cannot create the folder";
  } else if (!(target_ = std::fopen(part_path_.c_str(), "wb"))) {
    error = errno;
    failed_path = part_path_;
    what = "Cannot write";
  }
  if (error != 0) {
    StopCopy();
    Later([this, failure = Failure(what, failed_path, error)] { done_(&failure); });
    return;
  }
  timer_ = AddTimer(std::chrono::milliseconds(0), [this] { CopyPiece(); });
}

void TFolderRemote::CopyPiece() {
  std::vector<char> buffer(kPieceSize);
  const size_t got = std::fread(buffer.data(), 1, buffer.size(), source_);
  if (got < buffer.size() && std::ferror(source_)) {
    const int error = errno;
    StopCopy();
    const EPublishError failure = Failure("Cannot read", final_path_, error);
    done_(&failure);
    return;
  }
  if (got > 0 && std::fwrite(buffer.data(), 1, got, target_) != got) {
    const int error = errno;
    StopCopy();
    const EPublishError failure = Failure("Cannot write", part_path_, error);
    done_(&failure);
    return;
  }
  copied_ += got;
  if (progress_) progress_(copied_);
  if (got == buffer.size()) return;

  RemoveTimer(timer_);
  timer_ = 0;
  std::fclose(source_);
  source_ = nullptr;
  const bool closed = std::fclose(target_) == 0;
  target_ = nullptr;
  const int error = errno;
  if (!closed || std::rename(part_path_.c_str(), final_path_.c_str()) != 0) {
    const int rename_error = closed ? errno : error;
    ::unlink(part_path_.c_str());
    const EPublishError failure = Failure("Cannot write", final_path_, rename_error);
    done_(&failure);
    return;
  }
  done_(nullptr);
}

void TFolderRemote::StopCopy() {
  RemoveTimer(timer_);
  timer_ = 0;
  if (source_) std::fclose(source_);
  source_ = nullptr;
  if (target_) {
    std::fclose(target_);
    ::unlink(part_path_.c_str());
  }
  target_ = nullptr;
}

void TFolderRemote::Delete(const std::string& path, Done done) {
  done_ = std::move(done);
  const std::string full = folder_ + path;
  const int error = ::unlink(full.c_str()) == 0 || errno == ENOENT ? 0 : errno;
  Later([this, error, full] {
    if (error == 0) return done_(nullptr);
    const EPublishError failure = Failure("Cannot delete", full, error);
    done_(&failure);
  });
}

void TFolderRemote::Probe(ProbeDone done) {
  const bool exists = DirectoryExists(folder_);
  const int error = exists && ::access(folder_.c_str(), W_OK | X_OK) != 0 ? errno : 0;
  Later([this, done = std::move(done), exists, error] {
    if (error == 0) return done(nullptr, exists);
    const EPublishError failure = Failure("Cannot write to the folder", folder_, error);
    done(&failure, exists);
  });
}

void TFolderRemote::Abort() {
  CancelLater();
  StopCopy();
}

}  // namespace orv
