#include "core/site/page_stages.h"

#include <array>

#include "core/site/image_include.h"
#include "core/site/markup_scan.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace orv {

namespace {

// Runs the scan loop over the page with one stage's delimiters.
void RunMarkupStage(TParseStruct& context, std::string_view open, std::string_view close,
                    const MarkupReplacer& replace) {
  context.Rescan = false;
  std::string text = JoinLines(context.Page);
  ScanOutcome outcome = ScanMarkup(text, open, close, replace, context.Build.Limits.MaxPageBytes);
  context.Page = SplitLines(text);
  context.Rescan = outcome.found;
  if (outcome.size_limited) context.LimitReached = true;
}

bool IsTextIncludeKind(const std::string& ext) {
  static const std::array<const char*, 9> kinds = {".htm", ".html", ".txt", ".htf", ".hsn",
                                                   ".ops", ".hts",  ".js",  ".vbs"};
  for (const char* kind : kinds)
    if (ext == kind) return true;
  return false;
}

}  // namespace

std::string MarkupErrorComment(const std::string& content) { return "<!-- ERROR: " + content + " -->"; }

void VariableStage(TParseStruct& context) {
  const BuildState& build = context.Build;
  RunMarkupStage(context, "<%", "%>", [&build](const std::string& name) {
    const TUserSetting* var = build.BuiltinVars.Find(name);
    if (!var) var = build.UserVars.Find(name);
    return var ? var->Value : MarkupErrorComment(name);
  });
}

std::string FindTextInclude(const TParseStruct& context, const std::string& content) {
  const std::string places[] = {
      context.SourceDir + "/" + content,
      content,
      DataDir() + "snippets/" + content,
      SharedDataDir() + "snippets/" + content,
  };
  for (const std::string& place : places)
    if (FileExists(place)) return place;
  return std::string();
}

void IncludeStage(TParseStruct& context) {
  RunMarkupStage(context, "<&", "&>", [&context](const std::string& content) {
    const std::string ext = LowerCase(ExtractFileExt(content));
    if (ext == ".gif" || ext == ".jpg" || ext == ".jpeg") return ImageInclude(context, content);
    if (!IsTextIncludeKind(ext)) return MarkupErrorComment(content);
    std::string path = FindTextInclude(context, content);
    if (path.empty()) return MarkupErrorComment(content);
    return JoinLines(SplitLines(ReadFileBytes(path)));
  });
}

void ExtAppStage(TParseStruct& context) {
  size_t max_output = context.Build.Limits.MaxPageBytes;
  RunMarkupStage(context, "<*", "*>", [max_output](const std::string& command) {
    std::string output;
    if (!RunCommand(command, output, max_output)) return "<!-- ERROR: " + command + "-->";
    return JoinLines(SplitLines(output));
  });
}

}  // namespace orv
