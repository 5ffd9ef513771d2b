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
  return states_[path] = Peek(path, known);
}

FileState FileStates::Peek(const std::string& path, const FileState* known) const {
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
