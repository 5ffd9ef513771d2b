#include "core/site/process_page.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/site/define_stage.h"
#include "core/site/markup_scan.h"
#include "core/site/page_stages.h"
#include "core/site/script_stage.h"
#include "platform/files.h"

namespace orv {

const char* const kNestingLimitComment = "<!-- ERROR: markup nested too deeply, expansion stopped -->";

namespace {

// A stage of the pass after the define stage: its switch, the opening
// delimiter of its markup, and the stage itself.
struct StageEntry {
  PageStage stage;
  bool TProjectSettings::*on;
  const char* open;
  void (*run)(TParseStruct&);
};

constexpr std::array<StageEntry, kPageStageCount> kStages = {{
    {PageStage::Scripts, &TProjectSettings::UseScripts, "<+", ScriptStage},
    {PageStage::Vars, &TProjectSettings::UseVars, "<%", VariableStage},
    {PageStage::Includes, &TProjectSettings::UseIncludes, "<&", IncludeStage},
    {PageStage::ExtApps, &TProjectSettings::UseExtApps, "<*", ExtAppStage},
}};

// Puts kNestingLimitComment before the first opening delimiter of a stage
// that is switched on (or at the end of the page when none is left).
void MarkNestingLimit(TParseStruct& context) {
  std::string& text = context.Page.Text;
  size_t at = FirstOpener(text, context.Settings);
  if (at == std::string_view::npos) at = text.size();
  PageWarning(context, at,
              "markup nested more than " + std::to_string(context.Build.Limits.MaxPassDepth) +
                  " passes deep; expansion stopped");
  text.insert(at, kNestingLimitComment);
  context.Page.Origins.Replace(at, 0, std::string_view(kNestingLimitComment).size());
  context.Page.Origins.Normalize(text);
}

void NestedPass(TParseStruct& context) {
  TPageState& page = context.Page;
  if (page.LimitReached) return;
  if (page.PassDepth >= context.Build.Limits.MaxPassDepth) {
    MarkNestingLimit(context);
    page.LimitReached = true;
    return;
  }
  ++page.PassDepth;
  ProcessPage(context);
  --page.PassDepth;
}

// Runs a stage when its switch is on and the page may still be expanded,
// then the nested pass it asks for.
void RunStage(TParseStruct& context, const StageEntry& entry) {
  if (!(context.Settings.*entry.on) || context.Page.LimitReached) return;
  entry.run(context);
  if (context.Page.Rescan) NestedPass(context);
}

// The step point after a stage: one step per page.
void StepPoint(TParseStruct& context, PageStage stage) {
  bool& pending = context.Page.StepPending[static_cast<size_t>(stage)];
  if (!pending) return;
  pending = false;
  context.Progress.Step();
}

}  // namespace

size_t FirstOpener(std::string_view text, const TProjectSettings& settings) {
  size_t first = std::string_view::npos;
  for (const StageEntry& entry : kStages) {
    if (!(settings.*entry.on)) continue;
    // Only the text up to the opener found so far can hold an earlier one.
    const std::string_view before = first == std::string_view::npos ? text : text.substr(0, first + 1);
    first = std::min(first, FindDelimiter(before, entry.open));
  }
  return first;
}

void ProcessPage(TParseStruct& context) {
  DefineStage(context);
  context.Progress.Step();
  bool idle = FirstOpener(context.Page.Text, context.Settings) == std::string_view::npos;
  for (const StageEntry& entry : kStages) {
    if (!idle) RunStage(context, entry);
    StepPoint(context, entry.stage);
  }
}

}  // namespace orv
