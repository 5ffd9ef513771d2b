#include "core/site/build_caches.h"

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

std::string BuildCaches::IncludeText(const std::string& path, const FileStamp& stamp) {
  auto found = includes_.find(path);
  if (found != includes_.end() && found->second.stamp == stamp) return found->second.text;
  std::string text = ReadFileBytes(path);
  NormalizeLineText(text);
  if (found != includes_.end()) {
    include_bytes_ -= found->second.text.size();
    includes_.erase(found);
  }
  if (include_bytes_ + text.size() <= kMaxIncludeBytes) {
    include_bytes_ += text.size();
    includes_[path] = IncludeEntry{stamp, text};
  }
  return text;
}

std::optional<TImageSize> BuildCaches::ImageSize(const std::string& path, const FileStamp& stamp,
                                                 const Measure& measure) {
  auto found = images_.find(path);
  if (found != images_.end() && found->second.stamp == stamp) return found->second.size;
  std::optional<TImageSize> size = measure(path);
  images_[path] = ImageEntry{stamp, size};
  return size;
}

}  // namespace orv
