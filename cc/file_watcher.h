// What orvcc --watch waits on: changes to the inputs of the last build, seen
// through inotify. The folders of the build's trees and the output folder
// are watched (each one below them, new ones as they appear, hidden folders
// left out), and the folder of every single input file, so that a save by
// rename is seen as well as a write. Changes the build made itself (the
// pages and static copies it wrote, read right after it; its temporary
// files; the data folder) do not count; a page or static copy changed or
// deleted in the output folder between builds does (other files there do
// not).
//
//   FileWatcher watcher;
//   watcher.Watch(inputs);                  // after every build
//   if (watcher.ReadChanges(true)) ...      // changed during the build
//   poll(watcher.Descriptor()...);          // readable: something happened
//   if (watcher.ReadChanges(false)) ...     // true: build again
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace orv {

// What a build depended on and what it wrote (from orv_core_last_inputs).
struct WatchInputs {
  std::vector<std::string> Trees;  // folders, each with a final '/'
  std::vector<std::string> Files;
  std::string Output;  // the output folder, with a final '/'
  std::unordered_set<std::string> Written;
  // Folders (with a final '/') and files whose changes never count: a file
  // whose path begins with one of them is passed over.
  std::vector<std::string> Ignored;
};

// The regular files this process's standard output and error are written
// to (a log redirected into a watched folder): what orvcc says of a build is
// no input of the next, and seeing it as one would start a build for every
// line the last build printed.
std::vector<std::string> OwnOutputFiles();

// Changes to a build's inputs.
class FileWatcher {
 public:
  // Raises std::system_error when no inotify instance can be had.
  FileWatcher();
  ~FileWatcher();
  FileWatcher(const FileWatcher&) = delete;
  FileWatcher& operator=(const FileWatcher&) = delete;

  // The descriptor that becomes readable when something happened.
  int Descriptor() const { return fd_; }

  // Watches what the build just made depended on. Changes made during the
  // build are read afterwards and judged with the files both this build and
  // the one before wrote.
  void Watch(const WatchInputs& inputs);
  // Watch, after a build that depended on what the one before did
  // (`inputs` again): only what stopped being watched is watched anew.
  void WatchAgain(const WatchInputs& inputs);

  // Reads the events waiting, without blocking; true when one of them
  // counts (the first such path is kept for TakeChanged). `after_build`:
  // they came while the build ran, so the files it wrote are its own.
  bool ReadChanges(bool after_build);

  // The first path whose change counted since the last call ("" if none).
  std::string TakeChanged();

  // Whether the last change that counted ended a save (a file closed after
  // writing, or renamed into place): then the files are soon quiet.
  bool LastChangeEndedASave() const { return complete_; }

  // Folders that could not be watched since the last call (the system's
  // limit on watches reached, or no permission), with the reason.
  std::vector<std::string> TakeProblems();

 private:
  // How a folder is watched: for the input files in it, as part of a tree
  // of inputs, or as part of the output folder (for the pages in it).
  enum class Kind { Files, Tree, Output };
  struct Folder {
    std::string Path;  // with a final '/'
    bool Tree = false;
    bool Output = false;
  };

  void Reset();
  void AddTree(const std::string& folder, Kind kind, bool scan_files);
  int AddFolder(const std::string& folder, Kind kind);
  void WatchFile(const std::string& file);
  bool Skipped(const std::string& folder, Kind kind) const;
  bool Own(const std::string& path) const;
  bool Matters(const Folder& folder, const std::string& path) const;
  bool Counts(const Folder& folder, const std::string& path, uint32_t mask);
  void Note(const std::string& path);

  int fd_ = -1;
  std::unordered_map<int, Folder> folders_;  // by watch descriptor
  std::unordered_map<std::string, int> by_path_;
  std::vector<std::string> trees_;
  std::string output_;
  std::vector<std::string> ignored_;
  std::unordered_set<std::string> files_;
  // Folders, not there yet, on the way to an input file: their creation
  // counts.
  std::unordered_set<std::string> steps_;
  std::unordered_set<std::string> written_;
  std::unordered_set<std::string> written_before_;
  std::string changed_;
  bool after_build_ = false;
  bool complete_ = false;
  // A folder stopped being watched, or changes were lost, since Watch.
  bool lost_ = false;
  // WatchAgain has made the files the build before wrote those of the last.
  bool again_ = false;
  bool found_in_scan_ = false;
  std::vector<std::string> problems_;
};

}  // namespace orv
