#include "core/site/markup_loops.h"

#include <algorithm>
#include <vector>

#include "core/site/page_stages.h"
#include "platform/paths.h"

namespace orv {

namespace {

// How a chain names an include ("&path": the file's name) or a variable
// ("%name": its name).
std::string Shown(const std::string& key) {
  return key[0] == '&' ? ExtractFileName(key.substr(1)) : key.substr(1);
}

// Appends `key` to a chain read from the outside in; when the chain already
// holds it, the part after that occurrence is a loop of its own and is cut
// out, so each include or variable is named at its outermost place.
void Extend(std::vector<std::string>& chain, const std::string& key) {
  auto known = std::find(chain.begin(), chain.end(), key);
  if (known != chain.end())
    chain.erase(known + 1, chain.end());
  else
    chain.push_back(key);
}

void ReportLoop(TParseStruct& context, const std::string& key, const std::vector<std::string>& keys) {
  std::string text = std::string(key[0] == '&' ? "include" : "variable") + " loop: " +
                     ExtractFileName(context.Page.Origins.PagePath());
  for (const std::string& part : keys) text += " \xE2\x86\x92 " + Shown(part);  // U+2192
  PageWarning(context, context.Page.Origins.MarkupAt(), text);
}

// The loop check shared by includes and variables: `count` is how often the
// include or variable has now been expanded in the page (the edits are
// walked at 4, 8, 16, ...), `make_key` makes its key ("&path" or "%name");
// `own_page` tells whether an include is of the page's own file (asked only
// on its first include).
template <class Key, class OwnPage>
void Watch(TParseStruct& context, uint32_t count, Key make_key, OwnPage own_page) {
  if ((count & (count - 1)) != 0 || count == 2 || (count == 1 && !own_page())) return;
  TPageState& page = context.Page;
  const std::string key = make_key();
  if (page.ReportedOnce.count(key) != 0) return;
  if (count == 1) {
    page.ReportedOnce.insert(key);
    ReportLoop(context, key, {key});
    return;
  }
  if (page.LoopCheckSteps > kLoopCheckBudget) return;
  const std::vector<std::string> enclosing = page.Origins.Enclosing(page.Origins.MarkupAt(), page.LoopCheckSteps);
  auto inner = std::find(enclosing.begin(), enclosing.end(), key);
  if (inner == enclosing.end()) return;
  // The loop is reported for every include and variable in it.
  page.ReportedOnce.insert(enclosing.begin(), inner + 1);
  // From the page inwards: what brought the loop's first instance in, the
  // loop's first instance, what lies between it and this markup, this one.
  std::vector<std::string> chain;
  for (auto it = enclosing.rbegin(); it != std::make_reverse_iterator(inner + 1); ++it) Extend(chain, *it);
  Extend(chain, key);
  std::vector<std::string> between;
  for (auto it = std::make_reverse_iterator(inner); it != enclosing.rend(); ++it) Extend(between, *it);
  chain.insert(chain.end(), between.begin(), between.end());
  chain.push_back(key);
  ReportLoop(context, key, chain);
}

// Counts one more expansion in the page of what `count` counts.
uint32_t CountOne(const TPageState& page, TPageState::ExpansionCount& count) {
  if (count.page != page.Number) count = TPageState::ExpansionCount{page.Number, 0};
  return ++count.count;
}

}  // namespace

void WatchIncludeLoop(TParseStruct& context, const std::string& path) {
  // Compared as written, without looking at the disk: an include of the
  // page's file under another name is found when it is included again.
  Watch(
      context, CountOne(context.Page, context.Page.IncludeExpansions[path]), [&path] { return "&" + path; },
      [&context, &path] { return path == context.Page.Origins.PagePath(); });
}

void WatchVariableLoop(TParseStruct& context, const TUserSetting& variable) {
  Watch(
      context, CountOne(context.Page, context.Page.VariableExpansions[&variable]),
      [&variable] { return "%" + variable.Name; },
      [] { return false; });
}

}  // namespace orv
