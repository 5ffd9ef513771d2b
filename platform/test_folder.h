// Tests' own folders: a fresh, empty folder under $ORV_HOME (each test
// program's own, which CTest sets) or /tmp, removed again when the test
// ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace orv::test {

// A fresh empty folder `<$ORV_HOME or /tmp>/<name>/` for the life of the
// object.
class TestFolder {
 public:
  explicit TestFolder(const std::string& name) : path_(Home() + "/" + name + "/") {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  // The folder's path, ending in '/'.
  const std::string& Path() const { return path_; }

 private:
  static std::string Home() {
    const char* home = std::getenv("ORV_HOME");
    return home != nullptr && *home != '\0' ? home : "/tmp";
  }

  std::string path_;
};

}  // namespace orv::test
