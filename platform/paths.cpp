#include "platform/paths.h"

#include <cstdint>

namespace orv {

std::string IncludeTrailingSlash(std::string_view path) {
  std::string out(path);
  if (!out.empty() && out.back() != '/') out.push_back('/');
  return out;
}

std::string ExcludeTrailingSlash(std::string_view path) {
  std::string out(path);
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

std::string ExtractFilePath(std::string_view path) {
  size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileName(std::string_view path) {
  size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// Position of the dot that starts the extension of the last element, or npos.
static size_t ExtensionDot(std::string_view path) {
  size_t dot = path.rfind('.');
  size_t slash = path.rfind('/');
  if (dot == std::string_view::npos) return dot;
  if (slash != std::string_view::npos && dot < slash) return std::string_view::npos;
  return dot;
}

std::string ExtractFileExt(std::string_view path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  size_t dot = ExtensionDot(path);
  std::string out(dot == std::string_view::npos ? path : path.substr(0, dot));
  out.append(ext);
  return out;
}

size_t SameTextHash::operator()(std::string_view text) const {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over the upper-case bytes
  for (char c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  return static_cast<size_t>(hash);
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

}  // namespace orv
