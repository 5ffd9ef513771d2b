// Whole-file writes of a file that is written again on every run (the build
// record, the build counts), without freeing a file each time: the new
// contents go into a spare file beside it, which then trades names with it
// in one step, so the old contents become the next write's spare. Replacing
// a file by renaming a new one over it frees the old one, and a file system
// that discards freed blocks at once (ext4 mounted with `discard`, common on
// virtual machines) makes the rename wait for the disk: milliseconds for a
// record of a few hundred kilobytes.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// The spare of `path`: `path` + "~".
std::string SpareFileOf(const std::string& path);

// Writes `bytes` as the file `path`; readers see the old or the new
// contents, each whole, as with WriteFileAtomic. One writer at a time
// writes the spare (a lock on it); a writer that finds the spare taken over
// by another's swap looks again. Where names cannot be traded (a file system
// without it), the complete spare is renamed over `path`; where the spare
// cannot be used (not a regular file of its own: a link, a folder), it
// writes as WriteFileAtomic does. False when the file could not be written.
bool WriteFileSwapped(const std::string& path, std::string_view bytes);

}  // namespace orv
