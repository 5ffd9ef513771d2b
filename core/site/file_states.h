// What the files an incremental build depends on hold now: each looked at
// (stat) once and read (to hash its bytes) only when its stamp cannot tell,
// until the build may have changed files.
#pragma once

#include <string>
#include <unordered_map>

#include "core/site/build_record.h"

namespace orv {

// The current states of files during one build.
class FileStates {
 public:
  // The state of `path` now. When `known` has the stamp the file has now
  // and is not racy, the file is not read: `known` is the answer. Otherwise
  // the bytes are hashed (once per stamp while the answer is kept).
  FileState Current(const std::string& path, const FileState* known = nullptr);
  // Current without keeping the answer, for a file looked at once (a
  // page's output).
  FileState Peek(const std::string& path, const FileState* known) const;

  // The state of a file whose bytes the caller read after taking `stamp`.
  static FileState Read(const FileStamp& stamp, std::string_view bytes);

  // The build wrote `path` (forget what it held), or may have changed any
  // file (a page ran code): forget everything.
  void Forget(const std::string& path) { states_.erase(path); }
  void ForgetAll() { states_.clear(); }

  // Whether a stamp taken at `now_ns` of a file stamped `stamp` may miss a
  // later change to it (see BuildCaches::kRacyNs).
  static bool Racy(const FileStamp& stamp, long long now_ns);
  static long long NowNs();

 private:
  std::unordered_map<std::string, FileState> states_;
};

// Whether two states hold the same bytes (or are both missing).
inline bool SameContent(const FileState& a, const FileState& b) {
  return a.Exists == b.Exists && (!a.Exists || a.Hash == b.Hash);
}

}  // namespace orv
