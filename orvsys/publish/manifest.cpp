#include "orvsys/publish/manifest.h"

#include <cerrno>
#include <cstring>

#include "orvsys/publish/site_address.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace orv {

namespace {

constexpr char kHeader[] = "ORV publish manifest 1";

// The path with '%' and control characters escaped, so one file is one line.
std::string EscapePath(const std::string& path) {
  return PercentEncodeBytes(path, [](unsigned char c) { return c != '%' && c >= 0x20 && c != 0x7f; });
}

bool IsHash(const std::string& text) {
  if (text.size() != 64) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

bool ParseSize(const std::string& text, uint64_t& size) {
  if (text.empty() || text.size() > 19) return false;
  size = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    size = size * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

}  // namespace

std::string TPublishManifest::Text() const {
  std::string text = std::string(kHeader) + "\nurl " + Url + "\n";
  for (const auto& [path, entry] : Files)
    text += entry.Hash + " " + std::to_string(entry.Size) + " " + EscapePath(path) + "\n";
  return text;
}

bool TPublishManifest::Parse(const std::string& text, const std::string& url) {
  Url = url;
  Files.clear();
  std::vector<std::string> lines = SplitLines(text);
  if (lines.size() < 2 || lines[0] != kHeader || lines[1] != "url " + url) return false;
  for (size_t i = 2; i < lines.size(); ++i) {
    if (!ParseLine(lines[i])) {
      Files.clear();
      return false;
    }
  }
  return true;
}

bool TPublishManifest::ParseLine(const std::string& line) {
  const size_t first = line.find(' ');
  const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
  if (second == std::string::npos) return false;
  TManifestEntry entry;
  entry.Hash = line.substr(0, first);
  const std::string path = PercentDecode(line.substr(second + 1));
  // A path that could lead outside the site's folder (a delete of
  // "../x") makes the whole manifest count as damaged.
  if (!IsHash(entry.Hash) || !ParseSize(line.substr(first + 1, second - first - 1), entry.Size) ||
      !IsSitePath(path))
    return false;
  Files[path] = entry;
  return true;
}

void TPublishManifest::Load(const std::string& path, const std::string& url) {
  std::string text;
  if (ReadRegularFile(path, text) != FileRead::Read) text.clear();
  Parse(text, url);
}

void TPublishManifest::Save(const std::string& path) const {
  ForceDirectories(ExtractFilePath(path));
  if (!WriteFileAtomic(path, Text()))
    throw EInOutError("Cannot write file \"" + path + "\". " + std::strerror(errno));
}

std::string ManifestFile(const std::string& site_name) {
  return DataDir() + "publish/" + PercentEncode(LowerCase(site_name), false) + ".manifest";
}

}  // namespace orv
