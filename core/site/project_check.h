// Warnings about a project file: what in it the build will never read.
//
//   site.orv:3: warning: unknown section [directory]
//   site.orv:5: warning: unknown key "source" in [directories]
//   site.orv:14: warning: key "home" of [files] is never read: pages are read from the keys 0 to 0
//
// The build reads the sections and keys of docs/user-guide.md ("The project
// file"); a section or key it does not know, a repeated one (the first of a
// name is read) and a [files] key outside 0 to n-1 (n: the number of keys in
// the section) have no effect, which is what the warnings say.
#pragma once

#include "core/site/parse_struct.h"
#include "platform/ini_file.h"

namespace orv {

// Reports the warnings about `ini`, the project file of `context`. [files]
// is checked only for a build of the whole project (no SingleFile); the
// lines of its keys go to context.Settings.FileLines.
void CheckProject(const TIniFile& ini, TParseStruct& context);

// [other] lineends: "crlf" (also when missing or empty) or "lf", in any
// case. Any other value gives a warning at its line, and CR LF:
//   site.orv:7: warning: lineends "unix" in [other] is neither crlf nor lf; pages get CR LF line ends
LineEnds ReadLineEnds(const TIniFile& ini, TParseStruct& context);

// The warning about entry `index` of the project's file list, whose page
// does not exist: at the line of its key in [files] (FileEntryKeys,
// FileLines), "page "<path>" does not exist", or "key "<key>" of [files]
// names no page" when its value is empty. A key that is missing altogether
// gives no warning (CheckProject reported the key that is never read
// instead). For a SingleFile build: "<entry>: warning: the page does not
// exist".
void ReportMissingPage(TParseStruct& context, size_t index, const std::string& entry);

// The warning about [files] key `key`, a page pattern that matches no file:
//   site.orv:12: warning: pattern "src/*.htm" matches no file
void ReportEmptyPattern(TParseStruct& context, size_t key, const std::string& pattern);

}  // namespace orv
