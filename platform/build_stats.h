// The statistics of the last site build: what orvcore counted while it built
// and left in the data folder's file buildstats.ini when the build ended (a
// folder that cannot be written loses them without failing the build), for
// the project information dialog (through libengine.so) to show.
//
//   [Last build]
//   Lines=1234        page lines read
//   Includes=56       include markups
//   Variables=789     variable markups
//   Programs=3        external programs run
//   Databases=0       database queries (none: the system has no databases)
#pragma once

#include <cstdint>
#include <string>

namespace orv {

// The counts of one build.
struct TBuildStats {
  int32_t Lines = 0;
  int32_t Includes = 0;
  int32_t Variables = 0;
  int32_t Programs = 0;
  int32_t Databases = 0;
  bool operator==(const TBuildStats&) const = default;
};

// Adds `more` to a count, stopping at the largest 32-bit count.
void AddCount(int32_t& count, int64_t more);

// DataDir() + "buildstats.ini".
std::string BuildStatsFile();

// The counts in `path`; zeros for a file or key that is missing.
TBuildStats ReadBuildStats(const std::string& path);

// Replaces `path` with the counts; raises EInOutError when it cannot.
void WriteBuildStats(const std::string& path, const TBuildStats& stats);

}  // namespace orv
