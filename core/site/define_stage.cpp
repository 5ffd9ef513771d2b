#include "core/site/define_stage.h"

#include "core/site/wildcard_pos.h"
#include "platform/files.h"

namespace orv {

std::string GetAttr(const std::string& body, const std::string& key) {
  int at = WildcardPos(body, key, -1);
  std::string value;
  while (at > 0) {
    int value_start = at + static_cast<int>(key.size());
    int quote = WildcardPos(body, "\"", value_start);
    if (quote == 0) return std::string();
    value = body.substr(static_cast<size_t>(value_start - 1), static_cast<size_t>(quote - value_start));
    int next = WildcardPos(body, key, quote - 1);
    if (next <= at) break;
    at = next;
  }
  return value;
}

namespace {

// Visits the page's lines from the last to the first and removes each line
// for which `take` returns true.
template <typename Take>
void RemoveLinesBottomUp(LineList& page, Take take) {
  for (size_t i = page.size(); i-- > 0;)
    if (take(page[i])) page.erase(page.begin() + static_cast<std::ptrdiff_t>(i));
}

bool HasDefine(const TUserSettingList& defines, const std::string& name, const std::string& value) {
  for (int i = 0; i < defines.Count(); ++i)
    if (defines.Items(i).Name == name && defines.Items(i).Value == value) return true;
  return false;
}

// Replaces the define's name throughout `text`.
std::string ReplaceDefine(const std::string& text, const TUserSetting& define) {
  if (define.Name.empty()) return text;
  std::string result;
  int from = 1;
  int at = WildcardPos(text, define.Name, -1);
  while (at > 0) {
    result.append(text, static_cast<size_t>(from - 1), static_cast<size_t>(at - from));
    result.append(define.Value);
    from = at + static_cast<int>(define.Name.size());
    at = WildcardPos(text, define.Name, from);
  }
  if (from == 1) return text;
  result.append(text, static_cast<size_t>(from - 1), std::string::npos);
  return result;
}

}  // namespace

void DefineStage(TParseStruct& context) {
  RemoveLinesBottomUp(context.Page, [&context](const std::string& line) {
    int p = WildcardPos(line, "{$DEFINE", -1);
    if (p == 0) return false;
    int close = WildcardPos(line, "}", p + 8);
    if (close == 0) return false;
    std::string body = close > p + 9 ? line.substr(static_cast<size_t>(p + 8), static_cast<size_t>(close - p - 9))
                                     : std::string();
    std::string name = GetAttr(body, "type=\"");
    std::string value = GetAttr(body, "value=\"");
    if (!HasDefine(context.Defines, name, value)) context.Defines.Add(name, value);
    return true;
  });
  RemoveLinesBottomUp(context.Page, [](const std::string& line) {
    int p = WildcardPos(line, "{.$DEFIN", -1);
    return p > 0 && WildcardPos(line, "}", p + 8) > 0;
  });
  if (context.Defines.Count() == 0) return;
  std::string text = JoinLines(context.Page);
  for (int i = 0; i < context.Defines.Count(); ++i) text = ReplaceDefine(text, context.Defines.Items(i));
  context.Page = SplitLines(text);
}

}  // namespace orv
