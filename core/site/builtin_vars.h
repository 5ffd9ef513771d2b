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

// The locale's time and date forms of a build time.
std::string FormatTime(const BuildTime& time);
std::string FormatDate(const BuildTime& time);

// Empties build.BuiltinVars and fills it in this order: Header, SourceDir,
// OutputDir, ImageDir, ImgPrefix, TimeNow, DateNow, ProjectPath, ORVRootDir,
// SystemDir, WinDir, BuildNum, ProjFile, SnippetsDir.
void FillBuiltinVars(TParseStruct& context, const ProjectTexts& texts, const BuildTime& time);

}  // namespace orv
