// Where a project's folders lie: the project file's own folder, paths
// written in it taken relative to that folder, and its output folder. Shared
// by the site compiler and by orvcc, which publishes the output folder.
#pragma once

#include <string>

namespace orv {

// The absolute folder of the project file, with a final '/'.
std::string ProjectFolder(const std::string& project_file);

// `path` taken relative to `folder` (which ends in '/') unless it is absolute;
// an empty path gives `folder`.
std::string ResolveAgainst(const std::string& folder, const std::string& path);

// The output folder the project file names ([directories] out), resolved
// against the project's folder.
std::string ProjectOutputFolder(const std::string& project_file);

}  // namespace orv
