#include "core/site/build_caches.h"

#include "core/site/file_states.h"
#include "platform/content_hash.h"
#include "platform/folders.h"
#include "platform/paths.h"

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

BuildCaches::ReadAt BuildCaches::ReadNow(const FileStamp& stamp) const {
  return ReadAt{stamp, FileStates::NowNs(), runs_};
}

bool BuildCaches::Settled(const ReadAt& read) { return read.stamp.mtime_ns + kRacyNs < read.time_ns; }

bool BuildCaches::BuildMayWrite(std::string_view name) {
  const std::string ext = LowerCase(ExtractFileExt(name));
  return ext == ".htm" || ext == ".html";
}

bool BuildCaches::Trusted(const ReadAt& read, const std::string& path, const FileStamp& now) const {
  return read.stamp == now && ((read.runs == runs_ && !BuildMayWrite(path)) || Settled(read));
}

std::string BuildCaches::IncludeText(const std::string& path, const FileStamp& stamp, bool* settled,
                                     uint64_t* hash) {
  auto found = includes_.find(path);
  if (found != includes_.end() && Trusted(found->second.read, path, stamp)) {
    if (settled) *settled = Settled(found->second.read);
    if (hash) *hash = found->second.hash;
    return found->second.text;
  }
  const ReadAt read = ReadNow(stamp);
  if (settled) *settled = Settled(read);
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
    includes_[path] = IncludeEntry{read, text, bytes_hash};
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

const BuildCaches::FoundImage* BuildCaches::NamedImage(const std::string& path) const {
  auto found = named_images_.find(path);
  return found == named_images_.end() ? nullptr : &found->second;
}

const BuildCaches::FoundImage& BuildCaches::KeepNamedImage(const std::string& path, FoundImage found) {
  return named_images_.insert_or_assign(path, std::move(found)).first->second;
}

void BuildCaches::OutsideCodeRuns() {
  ++runs_;
  named_includes_.clear();
  named_images_.clear();
  named_bytes_ = 0;
  folders_.Forget();
}

std::optional<TImageSize> BuildCaches::ImageSize(const std::string& path, const FileStamp& stamp,
                                                 const Measure& measure) {
  auto found = images_.find(path);
  if (found != images_.end() && Trusted(found->second.read, path, stamp)) return found->second.size;
  const ReadAt read = ReadNow(stamp);
  std::optional<TImageSize> size = measure(path);
  images_[path] = ImageEntry{read, size};
  return size;
}

}  // namespace orv
