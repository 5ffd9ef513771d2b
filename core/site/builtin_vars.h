// The built-in variables of a build (<%Header%>, <%DateNow%>, <%BuildNum%> ...),
// filled once at the start of every build.
//
// Time and date use the user's locale (LC_TIME, else LC_ALL, else LANG): the
// locale's time ("%X") and date ("%x") forms. When SOURCE_DATE_EPOCH holds a
// whole number of seconds, that moment (in UTC) is used instead of the
// current time, so two builds of the same sources give the same pages.
#pragma once

#include <ctime>
#include <string>

#include "core/site/parse_struct.h"
#include "core/site/project_reader.h"

namespace orv {

// The time a build stamps its pages with: SOURCE_DATE_EPOCH when set,
// otherwise now. `utc` tells which calendar to format it in.
struct BuildTime {
  std::time_t seconds;
  bool utc;
};
BuildTime CurrentBuildTime();

// The locale's time ("%X") and date ("%x") forms of a build time.
struct BuildTimeTexts {
  std::string time;
  std::string date;
};
BuildTimeTexts FormatBuildTime(const BuildTime& time);

// Empties build.BuiltinVars and fills it in this order: Header, SourceDir,
// OutputDir, ImageDir, ImgPrefix, TimeNow, DateNow, ProjectPath, ORVRootDir,
// SystemDir, WinDir, BuildNum, ProjFile, SnippetsDir, RootPath. RootPath is
// empty until a page starts (SetPageBuiltins).
void FillBuiltinVars(TParseStruct& context, const ProjectTexts& texts, const BuildTime& time);

// The relative path from the folder of the page `out_file` to the output
// folder `output_dir`, with a final '/': "" for a page at the top, "../" one
// folder down, "../../" two. A page written elsewhere (a preview beside its
// source) gets the path from there: "../out/".
std::string RootPathOf(const std::string& output_dir, const std::string& out_file);

// Sets the built-in variables that depend on the page about to be built,
// which will be written to `out_file`: RootPath.
void SetPageBuiltins(TParseStruct& context, const std::string& out_file);

}  // namespace orv
