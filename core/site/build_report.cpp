#include "core/site/build_report.h"

#include <cstdio>
#include <vector>

#include "core/site/page_origins.h"
#include "platform/message_service.h"

namespace orv {

namespace {

ReportSink report_sink = nullptr;
void* report_user = nullptr;
bool strict_default = false;

void Emit(const std::string& text) {
  // Markup may hold line breaks; a report is one line.
  const std::string line = ConsoleLine(text);
  if (report_sink) {
    report_sink(line.c_str(), report_user);
    return;
  }
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
}

}  // namespace

void SetReportSink(ReportSink sink, void* user) {
  report_sink = sink;
  report_user = user;
}

bool StrictBuildDefault() { return strict_default; }
void SetStrictBuildDefault(bool on) { strict_default = on; }

std::string PlaceText(const std::string& path, int line) {
  return line > 0 ? path + ":" + std::to_string(line) : path;
}

void BuildReport::Warning(const std::string& place, const std::string& message) {
  ++warnings_;
  Emit(place + ": warning: " + message);
}

void BuildReport::Note(const std::string& place, const std::string& message) {
  Emit(place + ": note: " + message);
}

void BuildReport::Error(const std::string& place, const std::string& message) {
  ++errors_;
  Emit(place + ": error: " + message);
}

std::string BuildReport::PagePlace(const PageOrigins& origins, size_t at) const {
  const SourcePlace place = origins.Locate(at).front();
  return PlaceText(place.Path, place.Line);
}

void BuildReport::PageWarning(const PageOrigins& origins, size_t at, const std::string& message) {
  ++page_warnings_;
  if (page_warnings_ > kMaxPageWarnings) {
    // Locating costs time in proportion to the page's edits: a page full of
    // problems is not located over and over.
    ++warnings_;
    if (page_warnings_ == kMaxPageWarnings + 1)
      Note(origins.PagePath(), "more warnings in this page are not shown");
    return;
  }
  std::vector<SourcePlace> places = origins.Locate(at);
  Warning(PlaceText(places[0].Path, places[0].Line), message);
  // The notes: where each file was included, at most kMaxIncludeNotes.
  const size_t notes = places.size() - 1;
  const size_t shown = notes <= kMaxIncludeNotes ? notes : kMaxIncludeNotes - 1;
  for (size_t i = 1; i <= shown; ++i) Note(PlaceText(places[i].Path, places[i].Line), "included from here");
  if (shown < notes)
    Note(PlaceText(places.back().Path, places.back().Line),
         "included from here, through " + std::to_string(notes - shown - 1) + " more includes not shown");
}

}  // namespace orv
