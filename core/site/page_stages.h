// The page stages that use the markup scan loop: variables (<%name%>), text
// includes (<&file&>) and external programs (<*command*>). Each expands every
// markup it finds in the page text, leaves the text in line form, and sets
// the page's Rescan when it found markup.
#pragma once

#include <string>

#include "core/site/parse_struct.h"
#include "platform/files.h"

namespace orv {

// <%name%>: the built-in variable of that exact name, else the project
// variable, else the unknown-variable error comment.
void VariableStage(TParseStruct& context);

// <&file&>: for .gif, .jpg and .jpeg (in any case) the image tag of
// ImageInclude (image_include.h); for a text kind (.htm .html .txt .htf .hsn .ops .hts .js .vbs) the
// text of the first existing file of TextIncludePlaces; otherwise, and when
// none exists, the include error comment. A file that exists but cannot be
// read raises EInOutError.
void IncludeStage(TParseStruct& context);

// <*command*>: what the command prints on standard output, as lines; the
// error comment "<!-- ERROR: command-->" when it cannot be started or runs
// longer than the build's CommandTimeoutSeconds (then it is ended with its
// process group and a line on standard error names the page, the command
// and the time limit).
void ExtAppStage(TParseStruct& context);

// "<!-- ERROR: content -->": what replaces a variable or include that cannot
// be expanded.
std::string MarkupErrorComment(const std::string& content);

// The places a text include is looked for, in order: the source folder, the
// content as a path (absolute or relative to the current folder), the
// snippets folder of the data folder, and the snippets folder of the shipped
// data. The found file's stamp goes to `stamp`; "" when none exists.
std::string FindTextInclude(TParseStruct& context, const std::string& content, FileStamp& stamp);

}  // namespace orv
