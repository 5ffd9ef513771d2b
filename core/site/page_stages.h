// The page stages that use the markup scan loop: variables (<%name%>), text
// includes (<&file&>) and external programs (<*command*>). Each expands every
// markup it finds in the page text, leaves the text in line form, and sets
// the page's Rescan when it found markup. Each records its changes in the
// page's Origins and reports every error comment it puts into the page as a
// warning at the markup's place (BuildReport).
#pragma once

#include <string>
#include <string_view>

#include "core/site/parse_struct.h"
#include "platform/files.h"

namespace orv {

// <%name%>: the built-in variable of that exact name, else the project
// variable, else the unknown-variable error comment (warning: unknown
// variable "name").
void VariableStage(TParseStruct& context);

// <&file&>: for .gif, .jpg and .jpeg (in any case) the image tag of
// ImageInclude (image_include.h); for a text kind (.htm .html .txt .htf .hsn .ops .hts .js .vbs) the
// text of the first existing TextIncludePlace; otherwise, and when
// none exists, the include error comment (warnings: "file" is not included:
// ..., include "file" not found; looked in ...). A file that exists but
// cannot be read raises EInOutError.
void IncludeStage(TParseStruct& context);

// <*command*>: what the command prints on standard output, as lines; the
// error comment "<!-- ERROR: command-->" when it cannot be started, prints
// more than the page-size bound or runs longer than the build's
// CommandTimeoutSeconds (then it is ended with its process group). Each of
// these, and a command that exits with another status than 0 or is ended by
// a signal (its output is kept), is a warning.
void ExtAppStage(TParseStruct& context);

// "<!-- ERROR: content -->": what replaces a variable or include that cannot
// be expanded.
std::string MarkupErrorComment(const std::string& content);
// "<!-- ERROR: command-->": what replaces a command that failed (no blank
// before the "-->").
std::string CommandErrorComment(const std::string& command);

// A warning about the markup being replaced now (at Origins.MarkupAt()).
// When its content holds its own opening delimiter, the warning says first
// that the opening delimiter was not closed before the next one.
void MarkupWarning(TParseStruct& context, const std::string& message);
// A warning about the page text at `at` (see BuildReport::PageWarning).
void PageWarning(TParseStruct& context, size_t at, const std::string& message);
// The warning that the opening delimiter `open` at `at` of the page has no
// `close` after it, ending with what is left in the page (`stays`).
// Reported once per page for each place, however many passes meet it.
void ReportUnclosed(TParseStruct& context, size_t at, std::string_view open, std::string_view close,
                    const std::string& stays);
// The warning that the page grew beyond the size bound at `at`.
void ReportPageTooLarge(TParseStruct& context, size_t at);

// The places a text include is looked for, in order (`place` from 0 to
// kTextIncludePlaces - 1): the source folder, the content as a path
// (absolute or relative to the current folder), the snippets folder of the
// data folder, and the snippets folder of the shipped data. Each is made
// only when it is asked for: most includes are found at the first.
// FindTextInclude gives the first that exists, with its stamp in `stamp`;
// "" when none exists.
constexpr int kTextIncludePlaces = 4;
std::string TextIncludePlace(TParseStruct& context, const std::string& content, int place);
std::string FindTextInclude(TParseStruct& context, const std::string& content, FileStamp& stamp);

}  // namespace orv
