// Publish manifests (publish/<site>.manifest in the data folder): any bytes
// read as the manifest of the address its second line names, so that most
// inputs get past the header. A manifest that reads names only paths inside
// the site's folder, with a size and a SHA-256, and its text reads back to
// the same files; one that does not read is left empty.
#include <cstdint>
#include <string>
#include <vector>

#include "orvsys/publish/manifest.h"
#include "orvsys/publish/site_address.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = orv::SplitLines(text);
  const std::string url = lines.size() > 1 && lines[1].rfind("url ", 0) == 0 ? lines[1].substr(4) : "";
  orv::TPublishManifest manifest;
  if (!manifest.Parse(text, url)) {
    if (!manifest.Files.empty()) __builtin_trap();
    return 0;
  }
  for (const auto& [path, entry] : manifest.Files)
    if (!orv::IsSitePath(path) || entry.Hash.size() != 64) __builtin_trap();
  orv::TPublishManifest again;
  if (!again.Parse(manifest.Text(), url) || again.Files != manifest.Files) __builtin_trap();
  return 0;
}
