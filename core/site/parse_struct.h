// The build context of the site compiler and the state that one build shares
// with its page stages, image includes and (later) the scripts' host routines.
//
// One BuildState exists per call of ProcessProject. It owns the project and
// built-in variables, the queues and the one TParseStruct of the build (held
// in a TParseStructList). While a build runs, CurrentBuild() returns it;
// outside a build it returns null, so a routine that needs the build (GetVar,
// BuildFile, WriteLn ...) can tell that there is none.
//
// Usage by a page stage:
//   void SomeStage(TParseStruct& context) {
//     BuildState& build = context.Build;      // ImageDir, ImgPrefix, UserVars ...
//     if (context.Settings.UseVars) ...       // project settings
//     context.Page.Text                       // the page, CR LF after every line
//     context.Progress.Step();                // progress to the caller's window
//   }
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/site/build_caches.h"
#include "core/site/build_read_trace.h"
#include "core/site/build_report.h"
#include "core/site/define_index.h"
#include "core/site/define_names.h"
#include "core/site/page_state.h"
#include "core/site/page_writer.h"
#include "core/site/progress_reporter.h"
#include "core/site/project_settings.h"
#include "core/site/script_output.h"
#include "platform/user_settings.h"
#include "platform/build_stats.h"

namespace orv {

class BuildState;
class PageInputs;
class TKelComp;
class TKelProgramCache;
class TParseStructList;

// The build context: the project settings, the page being built, the defines
// and the progress reporter of a build.
class TParseStruct {
 public:
  TParseStruct(TParseStructList& owner, BuildState& build) : Owner(&owner), Build(build) {}
  TParseStruct(const TParseStruct&) = delete;
  TParseStruct& operator=(const TParseStruct&) = delete;

  TParseStructList* Owner;
  BuildState& Build;

  TProjectSettings Settings;
  TPageState Page;
  TUserSettingList Defines;
  // The search for the defines' names, brought up to date as they are
  // added, and the index of the defines kept.
  DefineNameFinder DefineNames;
  DefineIndex KeptDefines;
  ProgressReporter Progress;

  // Decimal sizes of the last measured JPEG and GIF image.
  std::string JpegHeight;
  std::string JpegWidth;
  std::string GifHeight;
  std::string GifWidth;

  // The script component of the block being run; null otherwise.
  TKelComp* ScriptHost = nullptr;
};

// Owns the contexts of a build (in practice exactly one).
class TParseStructList {
 public:
  TParseStruct& Add(BuildState& build);
  int Count() const { return static_cast<int>(items_.size()); }
  TParseStruct& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }

 private:
  std::vector<std::unique_ptr<TParseStruct>> items_;
};

// Limits on the expansion of one page. A nested pass deeper than MaxPassDepth
// is not run, and a stage stops expanding once the page text exceeds
// MaxPageBytes; in both cases the remaining markup is replaced by an error
// comment (see docs/architecture.md).
// An external command running longer than CommandTimeoutSeconds (0: no
// limit) is ended with its process group.
struct ExpansionLimits {
  int MaxPassDepth = 64;
  size_t MaxPageBytes = 64u << 20;
  int CommandTimeoutSeconds = 60;
};

// The limits new builds start with (orvcc's options change them).
ExpansionLimits& DefaultExpansionLimits();

// Whether new builds compile each page block's text once (on unless turned
// off; the site benchmark compares both).
bool ScriptCacheDefault();
void SetScriptCacheDefault(bool on);

// Everything one build shares: created by ProcessProject, gone when it returns.
class BuildState {
 public:
  BuildState();
  ~BuildState();
  BuildState(const BuildState&) = delete;
  BuildState& operator=(const BuildState&) = delete;

  TUserSettingList UserVars;
  TUserSettingList BuiltinVars;
  // [directories] img (resolved like SourceDir) and [other] imgprep.
  std::string ImageDir;
  std::string ImgPrefix;
  std::string CurrentFile;
  ScriptOutputBuffer ScriptOutput;
  LineList BuildQueue;
  LineList DeleteQueue;
  ExpansionLimits Limits = DefaultExpansionLimits();
  // Compile each page block's text once per build (see script_stage.h).
  bool CacheScripts = ScriptCacheDefault();
  TKelProgramCache& ScriptCache();
  // Include texts, image sizes and the data folders, kept for the build.
  BuildCaches Caches;
  // What the build counted (page lines read, include, variable and command
  // markups), left in the data folder when it ends for libengine.so.
  TBuildStats Stats;
  // The warnings and notes of the build; a strict build fails once every
  // page is built when it gave any warning.
  BuildReport Report;
  bool Strict = StrictBuildDefault();
  // Writes the pages beside the build; what the build reads is settled
  // with it first (PageWriter::Settle).
  PageWriter Writer;

  // What the page being built reads, recorded for an incremental build;
  // null while nothing is recorded.
  PageInputs* Inputs = nullptr;
  // The trace of the files the build's scripts load (set while the build
  // is the current one).
  BuildReadTrace Reads{*this};

  // Before code runs that may change files or read those the build has
  // not settled (an external command, a script block that does not keep to
  // the build, script_reads.h): every page given is written, and the
  // writer and the caches forget what they found.
  void OutsideCodeRuns();

  // DefVar: sets the project variable `name` (the first of that name) to
  // `value`, or adds it.
  void SetUserVar(const std::string& name, const std::string& value);

  TParseStructList Contexts;
  // The build's context (the first item of Contexts).
  TParseStruct& Context;

 private:
  std::unique_ptr<TKelProgramCache> script_cache_;
};

// The build now running in this process, or null outside a build.
BuildState* CurrentBuild();

// Makes `build` the current build, and its read trace this thread's, for its
// lifetime, restoring the previous ones afterwards (builds may nest: a
// script may start another build).
class CurrentBuildScope {
 public:
  explicit CurrentBuildScope(BuildState& build);
  ~CurrentBuildScope();
  CurrentBuildScope(const CurrentBuildScope&) = delete;
  CurrentBuildScope& operator=(const CurrentBuildScope&) = delete;

 private:
  BuildState* previous_;
  ReadTraceScope trace_;
};

}  // namespace orv
