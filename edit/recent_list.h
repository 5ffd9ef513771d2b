// The recently used files or projects of the File menu, newest first, kept
// in one section of the editor's own settings file (orvedit.ini in the data
// folder) so that they survive a restart.
#pragma once

#include <string>
#include <vector>

namespace orv::edit {

// The editor's own settings file: DataDir() + "orvedit.ini".
std::string EditorSettingsFile();

// One list of paths in `section` of `file`.
class RecentList {
 public:
  RecentList(std::string file, std::string section, size_t capacity = 10)
      : file_(std::move(file)), section_(std::move(section)), capacity_(capacity) {}

  // The paths, newest first, as the file holds them now.
  std::vector<std::string> Items() const;
  // Puts `path` first (taking it out of its old place) and writes the list;
  // the oldest falls off beyond the capacity. EInOutError when the file
  // cannot be written.
  void Add(const std::string& path);
  // Takes `path` out (a file that no longer exists).
  void Remove(const std::string& path);

 private:
  void Write(const std::vector<std::string>& items);

  std::string file_;
  std::string section_;
  size_t capacity_;
};

}  // namespace orv::edit
