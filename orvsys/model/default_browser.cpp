#include "orvsys/model/default_browser.h"

#include <cstdlib>
#include <vector>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv {

namespace {

// The folders of a colon-separated list variable, or of `fallback` when it
// is not set, each with a final '/'.
std::vector<std::string> DirList(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  std::string list = value != nullptr && value[0] != '\0' ? value : fallback;
  std::vector<std::string> dirs;
  size_t start = 0;
  while (start <= list.size()) {
    size_t colon = list.find(':', start);
    if (colon == std::string::npos) colon = list.size();
    if (colon > start && list[start] == '/') dirs.push_back(IncludeTrailingSlash(list.substr(start, colon - start)));
    start = colon + 1;
  }
  return dirs;
}

}  // namespace

std::string DefaultBrowserCommand() {
  std::vector<std::string> data_dirs{XdgBaseDir("XDG_DATA_HOME", ".local/share")};
  for (const std::string& dir : DirList("XDG_DATA_DIRS", "/usr/local/share/:/usr/share/")) data_dirs.push_back(dir);
  std::vector<std::string> lists{XdgBaseDir("XDG_CONFIG_HOME", ".config") + "mimeapps.list"};
  for (const std::string& dir : DirList("XDG_CONFIG_DIRS", "/etc/xdg")) lists.push_back(dir + "mimeapps.list");
  for (const std::string& dir : data_dirs) lists.push_back(dir + "applications/mimeapps.list");

  for (const std::string& list : lists) {
    const std::string entries = TIniFile(list).ReadString("Default Applications", "text/html", "");
    size_t start = 0;
    while (start < entries.size()) {
      size_t end = entries.find(';', start);
      if (end == std::string::npos) end = entries.size();
      const std::string entry = entries.substr(start, end - start);
      start = end + 1;
      if (entry.empty() || entry.find('/') != std::string::npos) continue;
      for (const std::string& dir : data_dirs) {
        const std::string path = dir + "applications/" + entry;
        if (FileExists(path)) return TIniFile(path).ReadString("Desktop Entry", "Exec", "");
      }
    }
  }
  return {};
}

}  // namespace orv
