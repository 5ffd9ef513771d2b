#include "orvsys/publish/publisher.h"

#include "platform/message_loop.h"
#include "platform/paths.h"

namespace orv {

namespace {

// How often a long publish writes its manifest while it runs; a publish
// that is killed meanwhile sends at most this much again next time.
constexpr std::chrono::seconds kSaveInterval(1);

}  // namespace

TPublisher::TPublisher(TPublishSite site, std::string folder)
    : site_(std::move(site)),
      folder_(IncludeTrailingSlash(folder)),
      remote_(MakeRemote(site_)),
      manifest_file_(ManifestFile(site_.Name)) {}

TPublisher::~TPublisher() { remote_->Abort(); }

const TPublishPlan& TPublisher::Prepare() {
  manifest_.Load(manifest_file_, site_.Url);
  plan_ = MakePublishPlan(ScanLocalFolder(folder_), manifest_, site_.Delete);
  return plan_;
}

void TPublisher::Start(Events events) {
  events_ = std::move(events);
  progress_ = TPublishProgress();
  progress_.FilesTotal = plan_.Uploads.size() + plan_.Deletes.size();
  progress_.BytesTotal = plan_.UploadBytes();
  bytes_before_current_ = 0;
  next_ = 0;
  running_ = true;
  last_save_ = std::chrono::steady_clock::now();
  Next();
}

void TPublisher::Next() {
  if (next_ < plan_.Uploads.size()) {
    const TPlannedUpload& upload = plan_.Uploads[next_];
    progress_.Current = upload.Path;
    progress_.Deleting = false;
    Report();
    remote_->Upload(
        upload.File.FullPath, upload.Path, upload.File.Size,
        [this](uint64_t sent) {
          progress_.BytesDone = bytes_before_current_ + sent;
          Report();
        },
        [this](const EPublishError* error) { StepDone(error); });
  } else if (next_ < progress_.FilesTotal) {
    progress_.Current = plan_.Deletes[next_ - plan_.Uploads.size()];
    progress_.Deleting = true;
    Report();
    remote_->Delete(progress_.Current, [this](const EPublishError* error) { StepDone(error); });
  } else {
    Finish(nullptr);
  }
}

void TPublisher::StepDone(const EPublishError* error) {
  const bool upload = next_ < plan_.Uploads.size();
  const std::string path = progress_.Current;
  progress_.Current.clear();
  if (error) {
    // What the server holds under that name is not known any more.
    if (upload) manifest_.Files.erase(path);
    const std::string what = upload ? "Cannot send \"" : "Cannot delete \"";
    if (error->Kind() != PublishFailure::Failed) return Finish(error);
    const EPublishError failure(PublishFailure::Failed, what + path + "\": " + error->what());
    return Finish(&failure);
  }
  if (upload) {
    const TLocalFile& file = plan_.Uploads[next_].File;
    manifest_.Files[path] = TManifestEntry{file.Size, file.Hash};
    bytes_before_current_ += file.Size;
    progress_.BytesDone = bytes_before_current_;
  } else {
    manifest_.Files.erase(path);
  }
  ++next_;
  progress_.FilesDone = next_;
  SaveManifest(true);
  if (events_.FileDone) events_.FileDone(path, !upload);
  // The handler may have cancelled.
  if (running_) Next();
}

void TPublisher::SaveManifest(bool throttled) {
  const auto now = std::chrono::steady_clock::now();
  if (throttled && now - last_save_ < kSaveInterval) return;
  last_save_ = now;
  manifest_.Save(manifest_file_);
}

void TPublisher::Cancel() {
  if (!running_) return;
  remote_->Abort();
  // An upload stopped half-way may have replaced the old file or not.
  if (!progress_.Current.empty() && !progress_.Deleting) manifest_.Files.erase(progress_.Current);
  const EPublishError cancelled(PublishFailure::Cancelled, "Publishing was cancelled.");
  Finish(&cancelled);
}

void TPublisher::Finish(const EPublishError* error) {
  running_ = false;
  progress_.Current.clear();
  try {
    SaveManifest(false);
  } catch (const Exception& save_error) {
    // The next publish would send again what the manifest could not record.
    const EPublishError failure(PublishFailure::Failed, (error ? std::string(error->what()) + " " : std::string()) +
                                                            "What was sent could not be recorded: " +
                                                            save_error.what());
    if (events_.Finished) events_.Finished(&failure);
    return;
  }
  if (events_.Finished) events_.Finished(error);
}

void TPublisher::Report() {
  if (events_.Progress) events_.Progress(progress_);
}

void RunPublish(TPublisher& publisher, TPublisher::Events events, const std::function<bool()>& cancel) {
  publisher.Start(std::move(events));
  while (publisher.Running()) {
    WaitMessages(std::chrono::milliseconds(100));
    if (publisher.Running() && cancel && cancel()) publisher.Cancel();
  }
}

}  // namespace orv
