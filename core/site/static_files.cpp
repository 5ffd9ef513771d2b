#include "core/site/static_files.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "core/site/build_report.h"
#include "core/site/file_states.h"
#include "platform/paths.h"

namespace orv {

namespace {

namespace fs = std::filesystem;

// The regular files under `folder` (symbolic links to files followed, links
// to folders not entered), as paths relative to it, in name order; files
// under `skip` are left out.
std::vector<std::string> StaticFiles(const std::string& folder, const std::string& skip) {
  std::vector<std::string> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string path = it->path().string();
    if (PathIsUnder(IncludeTrailingSlash(path), skip)) {
      it.disable_recursion_pending();
      continue;
    }
    std::error_code status_ec;
    if (it->is_regular_file(status_ec)) files.push_back(path.substr(folder.size()));
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

StaticCounts SyncStaticFiles(const std::string& static_dir, const std::string& output_dir, const BuildRecord* last,
                             BuildRecord& next, bool full, const std::unordered_set<std::string>& page_outputs,
                             FileStates& states, BuildReport& report) {
  StaticCounts counts;
  const std::string out = IncludeTrailingSlash(output_dir);
  std::unordered_map<std::string, const StaticRecord*> copied;
  if (last)
    for (const StaticRecord& file : last->Statics) copied.emplace(file.Relative, &file);
  std::unordered_set<std::string> present;
  if (!static_dir.empty() && IncludeTrailingSlash(static_dir) != out) {
    const std::string folder = IncludeTrailingSlash(static_dir);
    for (const std::string& relative : StaticFiles(folder, out)) {
      const std::string source = folder + relative;
      const std::string copy = out + relative;
      if (page_outputs.count(copy)) {
        report.Warning(source, "not copied: a page of the build writes " + copy);
        continue;
      }
      present.insert(relative);
      auto known = copied.find(relative);
      FileState source_state = states.Current(source, known == copied.end() ? nullptr : &known->second->Source);
      if (!full && known != copied.end() && SameContent(source_state, known->second->Source)) {
        FileState copy_state = states.Current(copy, &known->second->Copy);
        if (copy_state.Exists && SameContent(copy_state, known->second->Copy)) {
          next.Statics.push_back(StaticRecord{relative, source_state, copy_state});
          continue;
        }
      }
      if (!CopyFileAtomic(source, copy)) {
        ForceDirectories(ExtractFilePath(copy));
        if (!CopyFileAtomic(source, copy)) {
          report.Warning(source, "cannot be copied to " + copy);
          continue;
        }
      }
      states.Forget(copy);
      ++counts.Copied;
      FileState copy_state = states.Current(copy);
      if (copy_state.Exists) next.Statics.push_back(StaticRecord{relative, source_state, copy_state});
    }
  }
  for (const auto& [relative, file] : copied) {
    const std::string copy = out + relative;
    if (present.count(relative) || page_outputs.count(copy)) continue;
    FileState now = states.Current(copy, &file->Copy);
    if (!now.Exists || !SameContent(now, file->Copy)) continue;
    if (DeleteFile(copy)) ++counts.Removed;
    RemoveEmptyFolders(ExtractFilePath(copy), out);
  }
  return counts;
}

}  // namespace orv
