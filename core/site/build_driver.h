// The build driver: turns every listed source file of a project into an output
// page, then builds the files scripts queued and deletes the files they asked
// to delete, reporting progress to a window.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/site/parse_struct.h"

namespace orv {

// Runs one build (see ProcessProject in include/orv/core.h). An error raised
// by a page stage ends the loop over the files; the queued files are still
// built and deleted, and then the error leaves this function.
void ProcessProject(const std::string& project_file, const std::string& single_file, HWND notify,
                    bool preview);

// The relative part of `folder` under `source_root`, or "" (see DoPathEx in
// include/orv/core.h).
std::string DoPathEx(const std::string& folder, const std::string& source_root);

// The output folder for the source folder `file_dir`: `output_dir` plus its
// relative part under `source_dir`, with a final '/'. The folder is created
// with every missing parent (the output folder itself included).
std::string MapOutputDir(const std::string& output_dir, const std::string& file_dir,
                         const std::string& source_dir);

// The folder `folder` as the system finds it: absolute (against the current
// folder), with ".", "..", repeated separators and the symbolic links of its
// existing part resolved. Pages are mirrored from resolved folders only.
std::string ResolvedFolder(const std::string& folder);

// MapOutputDir without creating anything.
std::string MirroredOutputDir(const std::string& output_dir, const std::string& file_dir,
                              const std::string& source_dir);

// False when `file` names no regular file. Otherwise CurrentFile := file and
// the page starts (TPageState::Start) with its text in line form, empty when
// the file cannot be read.
bool LoadPage(TParseStruct& context, const std::string& file);

// The page text, which has CR LF after every line while it is expanded, with
// the line ends `ends`: each CR LF becomes LF for LineEnds::Lf.
void ApplyLineEnds(std::string& text, LineEnds ends);

// Gives the page text (in the project's line ends by now) to the build's
// writer (BuildState::Writer), which writes it to `out_file` through an
// unnamed or temporary file in the same folder, creating the folder when it
// is missing; the text is cleared. What became of the write comes back
// with `tag` (PageWriter::Written). A failure leaves any old page in place
// and is reported as an error naming the page and the system's reason
// ("PATH: error: cannot write the page: REASON"); the build goes on with
// the other pages and then ends with "N pages could not be written (see
// above)".
void WritePage(TParseStruct& context, const std::string& out_file, uint32_t tag);

// What the last build on this thread did: how many pages it built and how
// many were up to date (not built again), how many static files it copied
// and removed; and, for a build of a whole project, what it depended on
// (IncrementalBuild::WatchList; only while WatchingBuilds()) and that
// list's fingerprint, which stays the same while the list does (0: none).
struct BuildCounts {
  int Built = 0;
  int UpToDate = 0;
  int StaticCopied = 0;
  int StaticRemoved = 0;
};
const BuildCounts& LastBuildCounts();
const std::vector<std::pair<std::string, int>>& LastBuildInputs();
uint64_t LastBuildInputsId();

}  // namespace orv
