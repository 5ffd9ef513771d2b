#include "core/site/file_states.h"

#include <chrono>

#include "core/site/build_caches.h"
#include "platform/content_hash.h"

namespace orv {

long long FileStates::NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

bool FileStates::Racy(const FileStamp& stamp, long long now_ns) {
  return stamp.ChangedNs() + BuildCaches::kRacyNs >= now_ns;
}

FileState FileStates::Read(const FileStamp& stamp, std::string_view bytes) {
  return FileState{true, stamp, ContentHash(bytes), Racy(stamp, NowNs())};
}

FileState FileStates::Current(const std::string& path, const FileState* known) {
  auto kept = states_.find(path);
  if (kept != states_.end()) return kept->second;
  // An answer on the watching program's word is not kept: asking again
  // costs no more than looking it up.
  if (known && Unchanged(path)) return *known;
  return states_[path] = Look(path, known);
}

void FileStates::Forget(const std::string& path) {
  states_.erase(path);
  if (vouched_changed_) changed_by_build_.insert(path);
}

void FileStates::ForgetAll() {
  states_.clear();
  vouched_changed_ = nullptr;
}

bool FileStates::Unchanged(const std::string& path) const {
  return vouched_changed_ && vouched_changed_->count(path) == 0 && changed_by_build_.count(path) == 0;
}

FileState FileStates::Peek(const std::string& path, const FileState* known) const {
  // A racy state is safe here too: a change after it was found would have
  // been seen.
  return known && Unchanged(path) ? *known : Look(path, known);
}

FileState FileStates::Look(const std::string& path, const FileState* known) {
  FileStamp stamp;
  if (!StatFile(path, stamp)) return FileState{};
  if (known && known->Exists && !known->Racy && known->Stamp == stamp) return *known;
  std::string bytes;
  if (ReadRegularFile(path, bytes) != FileRead::Read) return FileState{};
  // The stamp taken before the read stands for what was read: a change in
  // between moves the stamp, so the next look reads the file again.
  return Read(stamp, bytes);
}

}  // namespace orv
