// The build driver: turns every listed source file of a project into an output
// page, then builds the files scripts queued and deletes the files they asked
// to delete, reporting progress to a window.
#pragma once

#include <string>

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

// CurrentFile := file; Page := its lines (empty when it cannot be read).
void LoadPage(TParseStruct& context, const std::string& file);

// Writes Page (CR LF after every line) to `out_file` through a temporary file
// in the same folder, then clears Page. A failure leaves any old page in
// place and is not reported.
void WritePage(TParseStruct& context, const std::string& out_file);

}  // namespace orv
