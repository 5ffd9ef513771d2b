#include "cc/serve/served_files.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>

namespace orv {

namespace {

// The path with its symbolic links, "." and ".." resolved; "" when it does
// not exist.
std::string Resolved(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return std::string();
  std::string result = resolved;
  std::free(resolved);
  return result;
}

bool Inside(const std::string& path, const std::string& root) {
  if (root == "/") return !path.empty() && path[0] == '/';
  return path == root || (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
                          path[root.size()] == '/');
}

// True when a component of the request is "..", or it holds a NUL byte.
bool ClimbsOut(const std::string& request) {
  if (request.find('\0') != std::string::npos) return true;
  size_t from = 0;
  while (from <= request.size()) {
    size_t slash = request.find('/', from);
    if (slash == std::string::npos) slash = request.size();
    if (request.compare(from, slash - from, "..") == 0 && slash - from == 2) return true;
    from = slash + 1;
  }
  return false;
}

}  // namespace

ServedFile FindServedFile(const std::string& root, const std::string& request) {
  if (request.empty() || request[0] != '/' || ClimbsOut(request)) return {};
  std::string path = Resolved(root + request);
  if (path.empty() || !Inside(path, root)) return {};
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return {};
  if (S_ISDIR(st.st_mode)) {
    if (request.back() != '/') return ServedFile{ServedFile::Kind::Folder, path};
    path = Resolved(path + "/index.html");
    if (path.empty() || !Inside(path, root) || ::stat(path.c_str(), &st) != 0) return {};
  }
  if (!S_ISREG(st.st_mode)) return {};
  return ServedFile{ServedFile::Kind::File, path};
}

std::string ContentTypeOf(const std::string& path) {
  static const std::map<std::string, std::string> types = {
      {"html", "text/html"},          {"htm", "text/html"},
      {"css", "text/css"},            {"js", "text/javascript"},
      {"mjs", "text/javascript"},     {"json", "application/json"},
      {"map", "application/json"},    {"xml", "application/xml"},
      {"txt", "text/plain"},          {"csv", "text/csv"},
      {"md", "text/markdown"},        {"svg", "image/svg+xml"},
      {"png", "image/png"},           {"gif", "image/gif"},
      {"jpg", "image/jpeg"},          {"jpeg", "image/jpeg"},
      {"webp", "image/webp"},         {"avif", "image/avif"},
      {"ico", "image/x-icon"},        {"bmp", "image/bmp"},
      {"woff", "font/woff"},          {"woff2", "font/woff2"},
      {"ttf", "font/ttf"},            {"otf", "font/otf"},
      {"pdf", "application/pdf"},     {"zip", "application/zip"},
      {"wasm", "application/wasm"},   {"mp3", "audio/mpeg"},
      {"ogg", "audio/ogg"},           {"wav", "audio/wav"},
      {"mp4", "video/mp4"},           {"webm", "video/webm"},
      {"webmanifest", "application/manifest+json"},
  };
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "application/octet-stream";
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  auto found = types.find(ext);
  return found == types.end() ? "application/octet-stream" : found->second;
}

bool IsHtmlType(const std::string& content_type) { return content_type == "text/html"; }

}  // namespace orv
