// The static folder ([directories] static): its files are copied into the
// output folder as they are, keeping their sub-folders, only when the source
// or the copy changed since the last build; a file deleted from it is
// deleted from the output on the next build (unless the copy was changed
// there meanwhile, which keeps it). A file a page of the build writes is not
// copied over (a warning says so). The output folder, where it lies inside
// the static folder, is not copied into itself.
#pragma once

#include <string>
#include <unordered_set>

#include "core/site/build_record.h"

namespace orv {

class BuildReport;
class FileStates;

// What SyncStaticFiles did.
struct StaticCounts {
  int Copied = 0;
  int Removed = 0;
};

// Brings the copies in `output_dir` up to date with `static_dir` ("" for
// none: the copies of the last build are removed), with `last` (null: none)
// the last build's record and `next` the one being made (its Statics are
// filled). With `full`, every file is copied again. `page_outputs` are the
// files the pages of the build wrote.
StaticCounts SyncStaticFiles(const std::string& static_dir, const std::string& output_dir, const BuildRecord* last,
                             BuildRecord& next, bool full, const std::unordered_set<std::string>& page_outputs,
                             FileStates& states, BuildReport& report);

}  // namespace orv
