#include "core/site/define_stage.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/site/define_names.h"
#include "core/site/markup_scan.h"
#include "core/site/page_stages.h"
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

// What the define stage does with one line.
enum class LineKind { Keep, Define, Disabled };

// A line holding "{$DEFINE" (without regard to case) with a "}" after it
// defines; failing that, one holding "{.$DEFIN" with a "}" after it is a
// disabled define. `body` gets a define's body.
LineKind ClassifyLine(std::string_view line, std::string& body) {
  int p = WildcardPos(line, "{$DEFINE", -1);
  if (p > 0) {
    int close = WildcardPos(line, "}", p + 8);
    if (close > 0) {
      body = close > p + 9 ? std::string(line.substr(static_cast<size_t>(p + 8), static_cast<size_t>(close - p - 9)))
                           : std::string();
      return LineKind::Define;
    }
  }
  p = WildcardPos(line, "{.$DEFIN", -1);
  return p > 0 && WildcardPos(line, "}", p + 8) > 0 ? LineKind::Disabled : LineKind::Keep;
}

// Whether `text` holds "{$DEFINE" or "{.$DEFIN" (without regard to letter
// case) at `at`, where a '{' is.
bool DefineKeywordAt(std::string_view text, size_t at) {
  std::string_view rest = text.substr(at);
  return WildcardPos(rest.substr(0, 8), "{$DEFINE", -1) == 1 || WildcardPos(rest.substr(0, 8), "{.$DEFIN", -1) == 1;
}

// A define or disabled-define line of the page text: [start, end) without
// its CR LF.
struct LineSpan {
  size_t start;
  size_t end;
  LineKind kind;
  std::string body;
};

// Removes the define and disabled-define lines from the page text (in line
// form) and adds the defines, visiting the lines from the last to the first.
// Only lines with a '{' that opens a define keyword are looked at.
void CollectDefines(TParseStruct& context) {
  std::string& text = context.Page.Text;
  TUserSettingList& defines = context.Defines;
  PageOrigins& origins = context.Page.Origins;
  std::vector<LineSpan> removed;
  const char* data = text.data();
  size_t at = 0;
  while (at < text.size()) {
    const void* brace = std::memchr(data + at, '{', text.size() - at);
    if (!brace) break;
    size_t pos = static_cast<size_t>(static_cast<const char*>(brace) - data);
    size_t line_end = text.find('\r', pos);
    if (line_end == std::string::npos) line_end = text.size();
    if (!DefineKeywordAt(text, pos)) {
      at = pos + 1;
      continue;
    }
    size_t line_start = text.rfind('\n', pos);
    line_start = line_start == std::string::npos ? 0 : line_start + 1;
    LineSpan span{line_start, line_end, LineKind::Keep, std::string()};
    span.kind = ClassifyLine(std::string_view(text).substr(line_start, line_end - line_start), span.body);
    if (span.kind != LineKind::Keep)
      removed.push_back(std::move(span));
    else
      ReportUnclosed(context, pos, text[pos + 1] == '.' ? "{.$DEFINE" : "{$DEFINE", "}",
                     "the line stays in the page and defines nothing");
    at = line_end;
  }
  if (removed.empty()) return;
  for (size_t i = removed.size(); i-- > 0;) {
    if (removed[i].kind != LineKind::Define) continue;
    std::string name = GetAttr(removed[i].body, "type=\"");
    std::string value = GetAttr(removed[i].body, "value=\"");
    if (!context.KeptDefines.Holds(defines, name, value)) defines.Add(name, value);
  }
  std::string kept;
  kept.reserve(text.size());
  size_t from = 0;
  for (const LineSpan& span : removed) {
    kept.append(text, from, span.start - from);
    from = std::min(span.end + 2, text.size());
    origins.Replace(kept.size(), from - span.start, 0);
  }
  kept.append(text, from, std::string::npos);
  text.swap(kept);
}

// Replaces the define's name throughout `text`, stopping where the text
// would grow beyond `max_bytes`: kPageTooLargeComment goes there, the
// warning is reported and the result is false. `places` gets the position
// in the new text of each value put in, unless it is null.
bool ReplaceDefine(TParseStruct& context, const TUserSetting& define, std::vector<size_t>* places) {
  std::string& text = context.Page.Text;
  PageOrigins& origins = context.Page.Origins;
  const size_t max_bytes = context.Build.Limits.MaxPageBytes;
  if (define.Name.empty()) return true;
  int at = WildcardPos(text, define.Name, -1);
  if (at == 0) return true;
  std::string result;
  int from = 1;
  while (at > 0) {
    size_t kept = static_cast<size_t>(at - from);
    size_t rest = text.size() - static_cast<size_t>(at - 1);
    if (result.size() + kept + define.Value.size() + rest - define.Name.size() > max_bytes) {
      result.append(text, static_cast<size_t>(from - 1), kept);
      origins.Replace(result.size(), 0, std::string_view(kPageTooLargeComment).size());
      const size_t comment_at = result.size();
      result.append(kPageTooLargeComment);
      result.append(text, static_cast<size_t>(at - 1), std::string::npos);
      text.swap(result);
      ReportPageTooLarge(context, comment_at);
      return false;
    }
    result.append(text, static_cast<size_t>(from - 1), kept);
    origins.Replace(result.size(), define.Name.size(), define.Value.size());
    if (places) places->push_back(result.size());
    result.append(define.Value);
    from = at + static_cast<int>(define.Name.size());
    at = WildcardPos(text, define.Name, from);
  }
  result.append(text, static_cast<size_t>(from - 1), std::string::npos);
  text.swap(result);
  return true;
}

// Marks in `found` the names that may occur where a define's replacements
// changed `text`: around each value put in at `places` (in order), as far as
// a name can reach into the text beside it, so that a name formed across
// the join (also where the value is empty) is found too.
void FindAroundChanges(const DefineNameFinder& finder, std::string_view text, const std::vector<size_t>& places,
                       size_t value_size, std::vector<bool>& found) {
  const size_t reach = finder.LongestName() > 0 ? finder.LongestName() - 1 : 0;
  size_t begin = 0;
  size_t end = 0;  // [begin, end): the window being gathered
  for (size_t at : places) {
    const size_t from = at > reach ? at - reach : 0;
    const size_t to = std::min(text.size(), at + value_size + reach);
    if (end > begin && from <= end) {
      end = std::max(end, to);
      continue;
    }
    if (end > begin) finder.Find(text.substr(begin, end - begin), found);
    begin = from;
    end = to;
  }
  if (end > begin) finder.Find(text.substr(begin, end - begin), found);
}

}  // namespace

void DefineStage(TParseStruct& context) {
  std::string& text = context.Page.Text;
  CollectDefines(context);
  const TUserSettingList& defines = context.Defines;
  if (defines.Count() == 0) return;
  // Each define replaces its name in what the defines before it left. With
  // more than a few defines, one scan finds the names that occur in the
  // page, and after a define has made replacements the text around them is
  // scanned for the names they may have formed; a define whose name was not
  // found cannot match and is passed over. A few defines are looked for one
  // by one, which costs less than the scan.
  constexpr int kDefinesLookedForOneByOne = 8;
  const bool scan = defines.Count() > kDefinesLookedForOneByOne;
  DefineNameFinder& finder = context.DefineNames;
  std::vector<bool> found(static_cast<size_t>(defines.Count()), !scan);
  if (scan) {
    finder.Prepare(defines);
    finder.Find(text, found);
  }
  std::vector<size_t> places;
  for (int i = 0; i < defines.Count(); ++i) {
    if (!found[static_cast<size_t>(i)]) continue;
    const TUserSetting& define = defines.Items(i);
    places.clear();
    if (!ReplaceDefine(context, define, scan ? &places : nullptr)) {
      context.Page.LimitReached = true;
      break;
    }
    if (scan) FindAroundChanges(finder, text, places, define.Value.size(), found);
  }
  context.Page.Origins.Normalize(text);
}

}  // namespace orv
