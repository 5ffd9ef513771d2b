// What a build tells its author besides the pages: warnings and notes, one
// line each, in the form editors and terminals link to their place:
//
//   /site/src/index.hts:12: warning: unknown variable "Titel"
//   /site/src/index.hts:3: note: included from here
//
// Warnings never change the pages or stop the build. A strict build
// (SetStrictBuildDefault) still builds every page and then ends with an
// error when it gave any warning.
//
// The lines go to a process-wide sink: standard error unless a host (orvcc,
// a test) installs its own with SetReportSink.
#pragma once

#include <cstddef>
#include <string>

namespace orv {

class PageOrigins;

// Receives each report line, without a line break.
using ReportSink = void (*)(const char* line, void* user);
// Installs `sink` (null: standard error) with its `user` pointer.
void SetReportSink(ReportSink sink, void* user);

// Whether new builds are strict (off unless a host turns it on).
bool StrictBuildDefault();
void SetStrictBuildDefault(bool on);

// The warnings and notes of one build.
class BuildReport {
 public:
  // Reports at most this many warnings per page; the rest are counted.
  static constexpr int kMaxPageWarnings = 50;
  // Shows at most this many "included from here" notes per warning; a
  // longer chain shows its innermost ones and the page's.
  static constexpr size_t kMaxIncludeNotes = 4;

  // "place: warning: message", where place is "path" or "path:line".
  void Warning(const std::string& place, const std::string& message);
  void Note(const std::string& place, const std::string& message);
  // "place: error: message": a problem that makes the build fail once every
  // page is built (a page that cannot be written). Not a warning.
  void Error(const std::string& place, const std::string& message);

  // A warning about the text at `at` of the page being expanded: at the
  // file and line where that text stands, followed by a note for each
  // include that brought it in (see PageOrigins::Locate).
  void PageWarning(const PageOrigins& origins, size_t at, const std::string& message);
  // "path:line" where the text at `at` of the page being expanded stands.
  std::string PagePlace(const PageOrigins& origins, size_t at) const;
  // A new page starts: its warnings are counted from 0.
  void StartPage() { page_warnings_ = 0; }

  int Warnings() const { return warnings_; }
  int Errors() const { return errors_; }

 private:
  int warnings_ = 0;
  int errors_ = 0;
  int page_warnings_ = 0;
};

// "path:line", or "path" when `line` is 0.
std::string PlaceText(const std::string& path, int line);

}  // namespace orv
