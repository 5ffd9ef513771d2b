// What a publish will do: the files to send (new or changed since the last
// publish of the site) and the remote files to delete.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "orvsys/publish/local_files.h"
#include "orvsys/publish/manifest.h"

namespace orv {

// One file to send.
struct TPlannedUpload {
  std::string Path;  // below the site's folder
  TLocalFile File;
};

// The work of one publish, in path order.
struct TPublishPlan {
  std::vector<TPlannedUpload> Uploads;
  std::vector<std::string> Deletes;
  size_t Unchanged = 0;

  uint64_t UploadBytes() const;
  bool Empty() const { return Uploads.empty() && Deletes.empty(); }
};

// Compares the folder's files with the manifest: a file is sent when the
// manifest does not have it with the same size and hash. Files the manifest
// has and the folder no longer has are deleted only when `delete_remote`;
// only files ORV sent are ever deleted, never others found on the server.
TPublishPlan MakePublishPlan(const std::map<std::string, TLocalFile>& local, const TPublishManifest& manifest,
                             bool delete_remote);

}  // namespace orv
