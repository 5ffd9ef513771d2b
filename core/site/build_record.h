// The record of a project's last build: for every page it built, what the
// page read (files, variables, the defines in force) and what it did to the
// build (defines, variables and queued files it left to later pages, its
// warnings, counts and progress steps), with the output it wrote; and the
// static files it copied. The next build skips a page whose inputs are as
// recorded and replays what it did (core/site/incremental_build.h).
//
// The record is a binary file (see build_record.cpp) ending in a hash of its
// contents; ReadBuildRecord refuses a damaged, truncated or foreign one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/site/build_report.h"
#include "platform/build_stats.h"
#include "platform/files.h"

namespace orv {

// What a file held when a build read it or looked for it.
struct FileState {
  bool Exists = false;
  FileStamp Stamp;
  uint64_t Hash = 0;  // of the bytes (0 for a missing file)
  // The stamp was taken so soon after the file changed that a later change
  // may keep it: only the bytes can tell.
  bool Racy = false;
  bool operator==(const FileState&) const = default;
};

// A file a page read (Exists) or looked for and did not find.
struct FileInput {
  std::string Path;
  FileState State;
  bool operator==(const FileInput&) const = default;
};

// How a variable a page looked up was found.
enum class VariableFound : uint8_t {
  Missing,  // no variable of that name
  Value,    // a variable, whose value's hash is kept
  Clock,    // a built-in holding the time or date of the build (Header,
            // TimeNow, DateNow): the page keeps the time it was built at
};

// A variable a page looked up (<%name%>, GetVar).
struct VariableInput {
  std::string Name;
  VariableFound Found = VariableFound::Missing;
  uint64_t Hash = 0;
  bool operator==(const VariableInput&) const = default;
};

using NameValues = std::vector<std::pair<std::string, std::string>>;

// One page build: the Occurrence-th build of Entry in the build (a page
// queued again is built again).
struct PageRecord {
  std::string Entry;
  uint32_t Occurrence = 0;
  std::string Output;
  FileState OutputState;
  // The page ran an external command or a script routine whose reads are
  // not recorded: it is built every time (only Entry, Occurrence, Output
  // and OutputState are kept).
  bool Volatile = false;

  // Inputs: the digest of the defines in force when the page started, and
  // indexes into the record's Files and Variables.
  uint64_t DefinesBefore = 0;
  std::vector<uint32_t> Files;
  std::vector<uint32_t> Variables;

  // Effects, in the order the page made them.
  NameValues DefinesAdded;
  NameValues VariablesSet;  // DefVar
  std::vector<std::string> Queued;   // BuildFile
  std::vector<std::string> Deletes;  // DelQueue
  std::vector<ReportLine> Reports;
  TBuildStats Stats;
  uint32_t Steps = 0;

  bool operator==(const PageRecord&) const = default;
};

// A file of the static folder as the last build left it in the output.
struct StaticRecord {
  std::string Relative;  // path under the static and the output folder
  FileState Source;
  FileState Copy;
  bool operator==(const StaticRecord&) const = default;
};

// The record of one build of a project.
struct BuildRecord {
  std::string ProjectFile;  // absolute
  uint64_t Digest = 0;      // of everything every page depends on
  std::vector<FileInput> Files;
  std::vector<VariableInput> Variables;
  std::vector<PageRecord> Pages;
  std::vector<StaticRecord> Statics;
  bool operator==(const BuildRecord&) const = default;
};

// The record as bytes, and back. ParseBuildRecord gives nothing for bytes
// that are not a whole record of this version.
std::string SerializeBuildRecord(const BuildRecord& record);
std::optional<BuildRecord> ParseBuildRecord(std::string_view bytes);

// Where the record of `project_file` (absolute) lives: DataDir() +
// "builds/" + a hash of the path + ".rec".
std::string BuildRecordPath(const std::string& project_file);

}  // namespace orv
