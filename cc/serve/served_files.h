// Which file of the served folder a request names, and its content type. A
// request never reaches outside the folder: a path with a ".." component
// (after its percent escapes are decoded) names nothing, and neither does a
// path whose symbolic links lead out of the folder.
#pragma once

#include <string>

namespace orv {

// What a request path names in the served folder.
struct ServedFile {
  enum class Kind { File, Folder, None };
  Kind Found = Kind::None;
  // File: the file to send (for a folder asked for with a final '/', its
  // index.html). Folder: a folder asked for without the final '/', which
  // the client is sent to with it.
  std::string Path;
};

// The file that the decoded request path `request` ("/news/first.html")
// names under `root`, the served folder resolved (realpath, no final '/').
ServedFile FindServedFile(const std::string& root, const std::string& request);

// The Content-Type of a file, by its extension (without regard to case);
// "application/octet-stream" for one that is not known.
std::string ContentTypeOf(const std::string& path);

// Whether a content type is that of an HTML page (which gets the live
// reload script when served).
bool IsHtmlType(const std::string& content_type);

}  // namespace orv
