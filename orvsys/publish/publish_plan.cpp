#include "orvsys/publish/publish_plan.h"

namespace orv {

uint64_t TPublishPlan::UploadBytes() const {
  uint64_t total = 0;
  for (const TPlannedUpload& upload : Uploads) total += upload.File.Size;
  return total;
}

TPublishPlan MakePublishPlan(const std::map<std::string, TLocalFile>& local, const TPublishManifest& manifest,
                             bool delete_remote) {
  TPublishPlan plan;
  for (const auto& [path, file] : local) {
    auto sent = manifest.Files.find(path);
    if (sent != manifest.Files.end() && sent->second == TManifestEntry{file.Size, file.Hash})
      ++plan.Unchanged;
    else
      plan.Uploads.push_back({path, file});
  }
  if (delete_remote)
    for (const auto& [path, entry] : manifest.Files)
      if (local.count(path) == 0) plan.Deletes.push_back(path);
  return plan;
}

}  // namespace orv
