#include "core/site/process_page.h"

#include <algorithm>

#include "core/site/define_stage.h"
#include "core/site/page_stages.h"
#include "core/site/script_stage.h"
#include "platform/files.h"
#include "platform/window.h"

namespace orv {

const char* const kNestingLimitComment = "<!-- ERROR: markup nested too deeply, expansion stopped -->";

void SendBuildStep(const TParseStruct& context) { SendMessage(context.NotifyWindow, BUILD_STEP, 0, 0); }

namespace {

// Puts kNestingLimitComment before the first opening delimiter of a stage
// that is switched on (or at the end of the page when none is left).
void MarkNestingLimit(TParseStruct& context) {
  std::string text = JoinLines(context.Page);
  size_t at = text.size();
  auto consider = [&](bool on, const char* open) {
    if (on) at = std::min(at, text.find(open));
  };
  consider(context.UseScripts, "<+");
  consider(context.UseVars, "<%");
  consider(context.UseIncludes, "<&");
  consider(context.UseExtApps, "<*");
  text.insert(at, kNestingLimitComment);
  context.Page = SplitLines(text);
}

void NestedPass(TParseStruct& context) {
  if (context.LimitReached) return;
  if (context.PassDepth >= context.Build.Limits.MaxPassDepth) {
    MarkNestingLimit(context);
    context.LimitReached = true;
    return;
  }
  ++context.PassDepth;
  ProcessPage(context);
  --context.PassDepth;
}

// Runs a stage when its switch is on and the page may still be expanded,
// then the nested pass it asks for.
void RunStage(TParseStruct& context, bool on, void (*stage)(TParseStruct&)) {
  if (!on || context.LimitReached) return;
  stage(context);
  if (context.Rescan) NestedPass(context);
}

// The step point after a stage: one step per page.
void StepPoint(TParseStruct& context, bool& pending) {
  if (!pending) return;
  pending = false;
  SendBuildStep(context);
}

}  // namespace

void ProcessPage(TParseStruct& context) {
  DefineStage(context);
  SendBuildStep(context);
  RunStage(context, context.UseScripts, ScriptStage);
  StepPoint(context, context.ScriptsStepPending);
  RunStage(context, context.UseVars, VariableStage);
  StepPoint(context, context.VarsStepPending);
  RunStage(context, context.UseIncludes, IncludeStage);
  StepPoint(context, context.IncludesStepPending);
  RunStage(context, context.UseExtApps, ExtAppStage);
  StepPoint(context, context.ExtAppsStepPending);
}

}  // namespace orv
