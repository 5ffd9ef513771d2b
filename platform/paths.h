// Path helpers: the file-name operations that page stages, scripts and dialogs
// share. Paths use '/', and folder paths get a final '/' where they are joined.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

// `path` with a final '/' added when it has none (an empty path stays empty).
std::string IncludeTrailingSlash(std::string_view path);

// `path` without its final '/' (the root "/" is kept).
std::string ExcludeTrailingSlash(std::string_view path);

// The folder part of `path`, up to and including its last '/'; empty if none.
std::string ExtractFilePath(std::string_view path);

// The file-name part of `path`, after its last '/'.
std::string ExtractFileName(std::string_view path);

// The extension of the last path element, with its dot ("" if it has none).
std::string ExtractFileExt(std::string_view path);

// `path` with the extension of its last element replaced by `ext` (which
// carries its own dot, or is empty to remove the extension).
std::string ChangeFileExt(std::string_view path, std::string_view ext);

// ASCII upper and lower case of a byte text; other bytes pass unchanged.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Byte-wise comparison ignoring ASCII letter case (inline: look-ups of
// names call it in their inner loops).
inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// Hashing and comparing without regard to ASCII case, for maps of names
// looked up by std::string_view without an upper-case copy.
struct SameTextHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const;
};
struct SameTextEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

// Whether `path` begins with `folder` (which ends in '/'), byte for byte.
inline bool PathIsUnder(std::string_view path, std::string_view folder) {
  return path.size() >= folder.size() && path.compare(0, folder.size(), folder) == 0;
}

}  // namespace orv
