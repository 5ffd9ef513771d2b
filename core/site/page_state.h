// The state of the page being built: its text and what the passes over it
// have done so far.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/site/page_origins.h"

namespace orv {

// The page stages after the define stage, in the order a pass runs them.
// Each has a step point that sends one progress step per page.
enum class PageStage { Scripts, Vars, Includes, ExtApps };
constexpr size_t kPageStageCount = 4;

// The page being built.
struct TPageState {
  // The page as one text in line form: every line ended by CR LF (see
  // NormalizeLineText in platform/files.h). Stages keep it in that form.
  std::string Text;

  // Per stage: whether its step point still owes this page its step.
  std::array<bool, kPageStageCount> StepPending{};

  // Set by a stage that found markup; asks for a nested pass.
  bool Rescan = false;

  // Depth of the nested pass now running, and whether a bound on the
  // expansion was reached for this page.
  int PassDepth = 0;
  bool LimitReached = false;

  // Where the text came from (edits are recorded by the stages).
  PageOrigins Origins;

  // The closing and opening delimiter of the markup being replaced when its
  // content holds that opening delimiter again (the first one was not
  // closed before the next); empty otherwise.
  std::string_view UnclosedClose;
  std::string_view UnclosedOpen;

  // What has been reported once for this page and is not reported again as
  // later passes meet it (unclosed markup, loops), by a key of the problem.
  std::unordered_set<std::string> ReportedOnce;

  // The pages started so far: tells this page's counts below from those
  // of pages before, which are not cleared.
  uint64_t Number = 0;
  // How often each include (by its file's path) and each variable (by the
  // variable itself) was expanded in page Number, and the edits looked at so
  // far to find loops (markup_loops.h).
  struct ExpansionCount {
    uint64_t page = 0;
    uint32_t count = 0;
  };
  std::unordered_map<std::string, ExpansionCount> IncludeExpansions;
  std::unordered_map<const void*, ExpansionCount> VariableExpansions;
  size_t LoopCheckSteps = 0;

  // Makes `text` (already in line form), the text of the file `path`, the
  // page, with every step owed and no pass run yet.
  void Start(std::string text, const std::string& path = std::string()) {
    Origins.Start(path, text);
    Text = std::move(text);
    StepPending.fill(true);
    Rescan = false;
    PassDepth = 0;
    LimitReached = false;
    ReportedOnce.clear();
    ++Number;
    LoopCheckSteps = 0;
  }
};

}  // namespace orv
