// The passes over one page written out literally, as the build did them
// first: the page as a list of lines, joined into one text and split again
// around every stage, the define stage scanning every line twice, the markup
// found by the literal scan loop, every pass running every stage. Kept only
// as the reference that tests compare ProcessPage with (scripts off).
#pragma once

#include <functional>
#include <string>

#include "core/site/define_stage.h"
#include "core/site/markup_scan_reference.h"
#include "core/site/parse_struct.h"
#include "core/site/process_page.h"
#include "core/site/wildcard_pos.h"
#include "platform/files.h"

namespace orv {

// One page and the literal passes over it.
class ReferencePasses {
 public:
  // `replace(stage, content)` gives the replacement of a variable (stage
  // '%'), include ('&') or external program ('*').
  using Replacer = std::function<std::string(char stage, const std::string& content)>;

  ReferencePasses(const TProjectSettings& settings, int max_depth, Replacer replace)
      : settings_(settings), max_depth_(max_depth), replace_(std::move(replace)) {}

  TUserSettingList Defines;
  LineList Page;
  int Steps = 0;

  void Run(const LineList& page) {
    Page = page;
    Steps = 0;
    depth_ = 0;
    limit_ = false;
    for (bool& p : pending_) p = true;
    Pass();
  }

 private:
  void Pass() {
    DefineStage();
    ++Steps;
    Stage(settings_.UseScripts, '+', 0);
    Stage(settings_.UseVars, '%', 1);
    Stage(settings_.UseIncludes, '&', 2);
    Stage(settings_.UseExtApps, '*', 3);
  }

  void Stage(bool on, char kind, int index) {
    if (on && !limit_) {
      std::string text = JoinLines(Page);
      bool found = kind != '+' && LiteralScanMarkup(text, std::string("<") + kind, std::string(1, kind) + ">",
                                                    [&](const std::string& c) { return replace_(kind, c); });
      Page = SplitLines(text);
      if (found) Nested();
    }
    if (pending_[index]) {
      pending_[index] = false;
      ++Steps;
    }
  }

  void Nested() {
    if (limit_) return;
    if (depth_ >= max_depth_) {
      std::string text = JoinLines(Page);
      size_t at = text.size();
      auto consider = [&](bool on, const char* open) {
        if (on) at = std::min(at, text.find(open));
      };
      consider(settings_.UseScripts, "<+");
      consider(settings_.UseVars, "<%");
      consider(settings_.UseIncludes, "<&");
      consider(settings_.UseExtApps, "<*");
      text.insert(at, kNestingLimitComment);
      Page = SplitLines(text);
      limit_ = true;
      return;
    }
    ++depth_;
    Pass();
    --depth_;
  }

  void DefineStage() {
    for (size_t i = Page.size(); i-- > 0;) {
      const std::string& line = Page[i];
      int p = WildcardPos(line, "{$DEFINE", -1);
      if (p == 0) continue;
      int close = WildcardPos(line, "}", p + 8);
      if (close == 0) continue;
      std::string body = close > p + 9 ? line.substr(static_cast<size_t>(p + 8), static_cast<size_t>(close - p - 9))
                                       : std::string();
      std::string name = GetAttr(body, "type=\"");
      std::string value = GetAttr(body, "value=\"");
      bool known = false;
      for (int d = 0; d < Defines.Count(); ++d)
        known = known || (Defines.Items(d).Name == name && Defines.Items(d).Value == value);
      if (!known) Defines.Add(name, value);
      Page.erase(Page.begin() + static_cast<std::ptrdiff_t>(i));
    }
    for (size_t i = Page.size(); i-- > 0;) {
      int p = WildcardPos(Page[i], "{.$DEFIN", -1);
      if (p > 0 && WildcardPos(Page[i], "}", p + 8) > 0) Page.erase(Page.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (Defines.Count() == 0) return;
    std::string text = JoinLines(Page);
    for (int d = 0; d < Defines.Count(); ++d) {
      const TUserSetting& define = Defines.Items(d);
      if (define.Name.empty()) continue;
      std::string result;
      int from = 1;
      int at = WildcardPos(text, define.Name, -1);
      if (at == 0) continue;
      while (at > 0) {
        result.append(text, static_cast<size_t>(from - 1), static_cast<size_t>(at - from));
        result.append(define.Value);
        from = at + static_cast<int>(define.Name.size());
        at = WildcardPos(text, define.Name, from);
      }
      result.append(text, static_cast<size_t>(from - 1), std::string::npos);
      text = result;
    }
    Page = SplitLines(text);
  }

  const TProjectSettings& settings_;
  int max_depth_;
  Replacer replace_;
  int depth_ = 0;
  bool limit_ = false;
  bool pending_[kPageStageCount] = {};
};

}  // namespace orv
