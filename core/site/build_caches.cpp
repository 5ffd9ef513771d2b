#include "core/site/build_caches.h"

#include <chrono>

#include "platform/content_hash.h"
#include "platform/folders.h"

namespace orv {

const std::string& BuildCaches::SnippetsDir() {
  if (!snippets_dir_) snippets_dir_ = DataDir() + "snippets/";
  return *snippets_dir_;
}

const std::string& BuildCaches::SharedSnippetsDir() {
  if (!shared_snippets_dir_) shared_snippets_dir_ = SharedDataDir() + "snippets/";
  return *shared_snippets_dir_;
}

const TUserSetting* BuildCaches::FindVariable(const TUserSettingList& builtin, const TUserSettingList& user,
                                             const std::string& name) {
  if (&builtin != indexed_builtin_ || &user != indexed_user_ || builtin.Removals() != builtin_removals_ ||
      user.Removals() != user_removals_ || builtin.Count() != builtin_count_) {
    variables_.clear();
    indexed_builtin_ = &builtin;
    indexed_user_ = &user;
    builtin_removals_ = builtin.Removals();
    user_removals_ = user.Removals();
    builtin_count_ = user_count_ = 0;
    for (; builtin_count_ < builtin.Count(); ++builtin_count_)
      variables_.emplace(builtin.Items(builtin_count_).Name, &builtin.Items(builtin_count_));
  }
  // emplace keeps the first item of a name, so built-in names stay first.
  for (; user_count_ < user.Count(); ++user_count_)
    variables_.emplace(user.Items(user_count_).Name, &user.Items(user_count_));
  auto found = variables_.find(name);
  return found == variables_.end() ? nullptr : found->second;
}

namespace {

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

bool BuildCaches::Trusted(const FileStamp& kept, long long read_at_ns, const FileStamp& now) {
  return kept == now && now.mtime_ns + kRacyNs < read_at_ns;
}

std::string BuildCaches::IncludeText(const std::string& path, const FileStamp& stamp, bool* settled,
                                     uint64_t* hash) {
  auto found = includes_.find(path);
  if (found != includes_.end() && Trusted(found->second.stamp, found->second.read_at_ns, stamp)) {
    if (settled) *settled = true;
    if (hash) *hash = found->second.hash;
    return found->second.text;
  }
  long long read_at_ns = NowNs();
  if (settled) *settled = stamp.mtime_ns + kRacyNs < read_at_ns;
  std::string text = ReadFileBytes(path);
  const uint64_t bytes_hash = ContentHash(text);
  if (hash) *hash = bytes_hash;
  NormalizeLineText(text);
  if (found != includes_.end()) {
    include_bytes_ -= found->second.text.size();
    includes_.erase(found);
  }
  if (include_bytes_ + text.size() <= kMaxIncludeBytes) {
    include_bytes_ += text.size();
    includes_[path] = IncludeEntry{stamp, read_at_ns, text, bytes_hash};
  }
  return text;
}

const BuildCaches::FoundInclude* BuildCaches::NamedInclude(const std::string& name) const {
  auto found = named_includes_.find(name);
  return found == named_includes_.end() ? nullptr : &found->second;
}

void BuildCaches::KeepNamedInclude(const std::string& name, const FoundInclude& found) {
  if (named_bytes_ + found.Text.size() > kMaxIncludeBytes) return;
  if (named_includes_.emplace(name, found).second) named_bytes_ += found.Text.size();
}

void BuildCaches::OutsideCodeRuns() {
  named_includes_.clear();
  named_bytes_ = 0;
  folders_.Forget();
}

std::optional<TImageSize> BuildCaches::ImageSize(const std::string& path, const FileStamp& stamp,
                                                 const Measure& measure) {
  auto found = images_.find(path);
  if (found != images_.end() && Trusted(found->second.stamp, found->second.read_at_ns, stamp))
    return found->second.size;
  long long read_at_ns = NowNs();
  std::optional<TImageSize> size = measure(path);
  images_[path] = ImageEntry{stamp, read_at_ns, size};
  return size;
}

}  // namespace orv
