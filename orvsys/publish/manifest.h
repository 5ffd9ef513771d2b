// What ORV knows is on a site: the path, size and content hash of every file
// it sent there, as of the last publish. Kept per site in the data folder
// (publish/<site>.manifest) and written atomically, so the next publish
// sends only what changed and a failed one sends the rest.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace orv {

// A file as it was sent: its size and the SHA-256 of its bytes (64
// lower-case hex digits).
struct TManifestEntry {
  uint64_t Size = 0;
  std::string Hash;
  bool operator==(const TManifestEntry&) const = default;
};

// The files on one site, by path below the site's folder ('/'-separated).
class TPublishManifest {
 public:
  // The site address the files were sent to; a manifest of another address
  // describes another server and reads as empty.
  std::string Url;
  std::map<std::string, TManifestEntry> Files;

  // The manifest's text: a header line, "url <address>", then one line
  // "<hash> <size> <path>" per file with '%' and control characters of the
  // path written as %XX.
  std::string Text() const;

  // Reads the manifest of `url` from `text`. False (and the manifest
  // emptied) when the text is damaged, names a path that IsSitePath
  // refuses, or was written for another address.
  bool Parse(const std::string& text, const std::string& url);

  // Reads the file; a missing, unreadable or damaged file, or one of another
  // address, reads as an empty manifest (everything will be sent again).
  void Load(const std::string& path, const std::string& url);

  // Writes the file atomically (creating its folder). Raises EInOutError.
  void Save(const std::string& path) const;

 private:
  // Adds the file of one "<hash> <size> <path>" line; false when damaged.
  bool ParseLine(const std::string& line);
};

// DataDir() + "publish/<site name>.manifest", the name lower-cased (site
// names are compared without regard to case) and percent-encoded.
std::string ManifestFile(const std::string& site_name);

}  // namespace orv
