#include "core/site/page_patterns.h"

#include <filesystem>
#include <set>
#include <system_error>

namespace orv {

namespace {

namespace fs = std::filesystem;

// A plain loop: find_first_of looks each character up in the set, which
// costs a listed page far more than the test itself.
bool HasWildcard(std::string_view text) {
  for (char c : text)
    if (c == '*' || c == '?') return true;
  return false;
}

// The length of the UTF-8 character that starts at `at` (a stray byte counts
// as one character).
size_t CharLength(std::string_view text, size_t at) {
  size_t end = at + 1;
  if (static_cast<unsigned char>(text[at]) >= 0xc0)
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xc0) == 0x80) ++end;
  return end - at;
}

bool Hidden(const std::string& name) { return !name.empty() && name[0] == '.'; }

// Walks `folder` (empty, or ending in '/') for the components `parts` from
// `index` on, adding the paths of matching files to `found`.
class PatternWalk {
 public:
  PatternWalk(const std::vector<std::string>& parts, std::set<std::string>& found) : parts_(parts), found_(found) {}

  void Walk(const std::string& folder, size_t index) const {
    const std::string& part = parts_[index];
    const bool last = index + 1 == parts_.size();
    if (part == "**") {
      if (!last) Walk(folder, index + 1);
      ForEachEntry(folder, [&](const fs::directory_entry& entry, const std::string& name) {
        if (Hidden(name)) return;
        std::error_code ec;
        if (last && entry.is_regular_file(ec)) found_.insert(folder + name);
        else if (!entry.is_symlink(ec) && entry.is_directory(ec)) Walk(folder + name + "/", index);
      });
    } else if (HasWildcard(part)) {
      // The entry knows its type from the folder listing: no stat per file.
      ForEachEntry(folder, [&](const fs::directory_entry& entry, const std::string& name) {
        std::error_code ec;
        if (MatchName(part, name)) Take(folder + name, entry.is_regular_file(ec), entry.is_directory(ec), index);
      });
    } else {
      std::error_code ec;
      const fs::file_status status = fs::status(folder.empty() ? part : folder + part, ec);
      Take(folder + part, fs::is_regular_file(status), fs::is_directory(status), index);
    }
  }

 private:
  // `path` matched component `index`: a file ends a match, a folder goes on.
  void Take(const std::string& path, bool is_file, bool is_folder, size_t index) const {
    if (index + 1 == parts_.size()) {
      if (is_file) found_.insert(path);
    } else if (is_folder) {
      Walk(path + "/", index + 1);
    }
  }

  template <typename Visit>
  static void ForEachEntry(const std::string& folder, const Visit& visit) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) visit(*it, it->path().filename().string());
  }

  const std::vector<std::string>& parts_;
  std::set<std::string>& found_;
};

}  // namespace

bool IsPagePattern(std::string_view entry) { return HasWildcard(entry); }

bool MatchName(std::string_view pattern, std::string_view name) {
  if (!name.empty() && name[0] == '.' && (pattern.empty() || pattern[0] != '.')) return false;
  // Two cursors; on a mismatch after a '*', the '*' takes one more character.
  size_t p = 0, n = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += CharLength(name, n);
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      resume += CharLength(name, resume);
      n = resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string PatternFolder(const std::string& pattern) {
  const size_t wildcard = pattern.find_first_of("*?");
  if (wildcard == std::string::npos) return pattern;
  const size_t slash = pattern.rfind('/', wildcard);
  return slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
}

std::vector<std::string> ExpandPagePattern(const std::string& pattern) {
  // No file name holds a NUL byte; the system would read the path only up
  // to it, and a walk below such a folder would list the same folder again
  // and again.
  if (pattern.find('\0') != std::string::npos) return {};
  std::vector<std::string> parts;
  size_t from = 0;
  while (from <= pattern.size()) {
    size_t cut = pattern.find('/', from);
    if (cut == std::string::npos) cut = pattern.size();
    std::string part = pattern.substr(from, cut - from);
    if (!part.empty() && part != ".") parts.push_back(std::move(part));
    from = cut + 1;
  }
  std::set<std::string> found;
  if (!parts.empty()) PatternWalk(parts, found).Walk(!pattern.empty() && pattern[0] == '/' ? "/" : "", 0);
  return std::vector<std::string>(found.begin(), found.end());
}

}  // namespace orv
