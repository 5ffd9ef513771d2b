#include "core/site/markup_loops.h"

#include <algorithm>
#include <filesystem>
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

// The loop check shared by includes and variables: `key` is "&path" or
// "%name"; `own_page` tells whether an include is of the page's own file
// (asked only on its first include, as it costs a look at the disk).
template <class OwnPage>
void Watch(TParseStruct& context, const std::string& key, OwnPage own_page) {
  TPageState& page = context.Page;
  const uint32_t count = ++page.Expansions[key];
  if ((count & (count - 1)) != 0 || page.ReportedOnce.count(key) != 0) return;
  if (count == 1) {
    if (own_page()) {
      page.ReportedOnce.insert(key);
      ReportLoop(context, key, {key});
    }
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

}  // namespace

void WatchIncludeLoop(TParseStruct& context, const std::string& path) {
  Watch(context, "&" + path, [&context, &path] {
    std::error_code ec;
    return std::filesystem::equivalent(path, context.Page.Origins.PagePath(), ec);
  });
}

void WatchVariableLoop(TParseStruct& context, const std::string& name) {
  Watch(context, "%" + name, [] { return false; });
}

}  // namespace orv
