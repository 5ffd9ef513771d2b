// What the files an incremental build depends on hold now: each looked at
// (stat) once and read (to hash its bytes) only when its stamp cannot tell,
// until the build may have changed files. A program that watches the files
// (orvcc --watch) may vouch that a file has not changed since the previous
// build began; then the state that build found is taken without a look.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/site/build_record.h"

namespace orv {

// The current states of files during one build.
class FileStates {
 public:
  // The known states passed in this build were all found by the previous
  // build (the record it left in memory), and the watching program vouched
  // that every file of that build's watch list holds what it found, except
  // those in `changed` (see orv_core_vouch). Null: no word was given.
  void TrustUnchanged(const std::unordered_set<std::string>* changed) { vouched_changed_ = changed; }

  // The state of `path` now. When `known` has the stamp the file has now
  // and is not racy, the file is not read: `known` is the answer. Otherwise
  // the bytes are hashed (once per stamp while the answer is kept).
  FileState Current(const std::string& path, const FileState* known = nullptr);
  // Current without keeping the answer, for a file looked at once (a
  // page's output).
  FileState Peek(const std::string& path, const FileState* known) const;

  // The state of a file whose bytes the caller read after taking `stamp`.
  static FileState Read(const FileStamp& stamp, std::string_view bytes);

  // The build wrote or deleted `path` (forget what it held), or may have
  // changed any file (a page ran code): forget everything. Either way the
  // watching program's word, given before the build, no longer holds.
  void Forget(const std::string& path);
  void ForgetAll();

  // Whether a stamp taken at `now_ns` of a file stamped `stamp` may miss a
  // later change to it (see BuildCaches::kRacyNs).
  static bool Racy(const FileStamp& stamp, long long now_ns);
  static long long NowNs();

 private:
  bool Unchanged(const std::string& path) const;
  // The state of `path` as the file itself tells (see Current).
  static FileState Look(const std::string& path, const FileState* known);

  std::unordered_map<std::string, FileState> states_;
  const std::unordered_set<std::string>* vouched_changed_ = nullptr;
  std::unordered_set<std::string> changed_by_build_;
};

// Whether two states hold the same bytes (or are both missing).
inline bool SameContent(const FileState& a, const FileState& b) {
  return a.Exists == b.Exists && (!a.Exists || a.Hash == b.Hash);
}

}  // namespace orv
