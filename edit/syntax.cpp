#include "edit/syntax.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace orv::edit {
namespace {

// Where a line may begin. A state number holds one of these in its low byte
// and, while inside markup that sits in a tag, the place to go back to when
// the markup closes in its second byte.
enum Place : int {
  kText = 0,
  kTag,            // inside <name ... >
  kDoubleValue,    // inside an attribute value in "
  kSingleValue,    // inside an attribute value in '
  kComment,        // inside <!-- -->
  kVariable,       // inside <% %>
  kInclude,        // inside <& &>
  kCommand,        // inside <* *>
  kScript,         // script code
  kBraceComment,   // script { }
  kParenComment,   // script (* *)
};

int Make(Place place, Place back = kText) { return place | (back << 8); }
Place PlaceOf(int state) { return static_cast<Place>(state & 0xFF); }
Place BackOf(int state) { return static_cast<Place>((state >> 8) & 0xFF); }

// The script language's reserved words, sorted, in lower case.
constexpr std::array<std::string_view, 58> kKeywords = {
    "and",       "array",     "as",        "begin",          "case",      "class",    "const",
    "constructor", "destructor", "div",     "do",             "downto",    "else",     "end",
    "except",    "exit",      "false",     "finally",        "for",       "function", "goto",
    "if",        "implementation", "in",   "inherited",      "interface", "is",       "mod",
    "nil",       "not",       "object",    "of",             "or",        "private",  "procedure",
    "program",   "property",  "protected", "public",         "published", "record",   "repeat",
    "set",       "shl",       "shr",       "string",         "then",      "to",       "true",
    "try",       "type",      "unit",      "until",          "uses",      "var",      "while",
    "with",      "xor"};

bool IsKeyword(std::string_view word) {
  if (word.size() > 14) return false;
  std::string lower(word);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return std::binary_search(kKeywords.begin(), kKeywords.end(), std::string_view(lower));
}

bool IsWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Walks one line, appending runs; neighbouring runs of one style are merged.
class LineStyler {
 public:
  LineStyler(std::string_view line, Language language, std::vector<StyleRun>& runs)
      : line_(line), language_(language), runs_(runs) {}

  int Run(int state);

 private:
  bool At(std::string_view text) const { return line_.substr(pos_).starts_with(text); }
  bool Done() const { return pos_ >= line_.size(); }
  char Peek(size_t ahead = 0) const { return pos_ + ahead < line_.size() ? line_[pos_ + ahead] : '\0'; }

  void Emit(size_t length, Style style) {
    length = std::min(length, line_.size() - pos_);
    if (length == 0) return;
    if (!runs_.empty() && runs_.size() > first_run_ && runs_.back().Kind == style)
      runs_.back().Length += static_cast<uint32_t>(length);
    else
      runs_.push_back({static_cast<uint32_t>(length), style});
    pos_ += length;
  }

  // Styles up to and including `close` as `style`; true when it was found.
  bool Until(std::string_view close, Style style) {
    const size_t end = line_.find(close, pos_);
    if (end == std::string_view::npos) {
      Emit(line_.size() - pos_, style);
      return false;
    }
    Emit(end + close.size() - pos_, style);
    return true;
  }

  // The end of a page's script block: textual, wherever it stands.
  bool ScriptEndsHere() const { return language_ == Language::Page && At("+>"); }
  // Styles script text up to `close` or the block's end, whichever comes first.
  bool ScriptUntil(std::string_view close, Style style);

  // <%, <& or <*: the markup that opens here, or kText when none does.
  Place MarkupOpening() const;
  Place MarkupBody(Place markup);

  Place Text();
  Place Tag();
  Place Value(char quote);
  Place Script();
  void ScriptToken();

  std::string_view line_;
  Language language_;
  std::vector<StyleRun>& runs_;
  size_t first_run_ = runs_.size();
  size_t pos_ = 0;
};

Place LineStyler::MarkupOpening() const {
  if (At("<%")) return kVariable;
  if (At("<&")) return kInclude;
  if (At("<*")) return kCommand;
  return kText;
}

Place LineStyler::MarkupBody(Place markup) {
  static constexpr std::string_view kClose[] = {"%>", "&>", "*>"};
  static constexpr Style kStyle[] = {Style::Variable, Style::Include, Style::Command};
  const int index = markup - kVariable;
  return Until(kClose[index], kStyle[index]) ? kText : markup;
}

Place LineStyler::Text() {
  while (!Done()) {
    if (const Place markup = MarkupOpening(); markup != kText) {
      Emit(2, markup == kVariable ? Style::Variable : markup == kInclude ? Style::Include : Style::Command);
      if (MarkupBody(markup) != kText) return markup;
    } else if (At("<+")) {
      Emit(2, Style::ScriptBracket);
      return kScript;
    } else if (At("<!--")) {
      Emit(4, Style::Comment);
      if (!Until("-->", Style::Comment)) return kComment;
    } else if (Peek() == '<' && (IsWordStart(Peek(1)) || Peek(1) == '/' || Peek(1) == '!' || Peek(1) == '?')) {
      size_t length = 2;
      while (pos_ + length < line_.size() && (IsWordChar(line_[pos_ + length]) || line_[pos_ + length] == ':' ||
                                              line_[pos_ + length] == '-'))
        ++length;
      Emit(length, Style::Tag);
      return kTag;
    } else if (Peek() == '&' && (IsWordStart(Peek(1)) || Peek(1) == '#')) {
      size_t length = 2;
      while (pos_ + length < line_.size() && IsWordChar(line_[pos_ + length])) ++length;
      if (pos_ + length < line_.size() && line_[pos_ + length] == ';')
        Emit(length + 1, Style::Entity);
      else
        Emit(1, Style::Text);
    } else if (Peek() == '{' && Peek(1) == '$' &&
               line_.find_first_not_of(" \t", 0) == pos_) {
      const size_t close = line_.find('}', pos_);
      Emit(close == std::string_view::npos ? line_.size() - pos_ : close + 1 - pos_, Style::Define);
    } else {
      Emit(1, Style::Text);
    }
  }
  return kText;
}

Place LineStyler::Tag() {
  while (!Done()) {
    const char c = Peek();
    if (const Place markup = MarkupOpening(); markup != kText) {
      Emit(2, markup == kVariable ? Style::Variable : markup == kInclude ? Style::Include : Style::Command);
      if (MarkupBody(markup) != kText) return markup;
    } else if (c == '>') {
      Emit(1, Style::Tag);
      return kText;
    } else if (c == '/' && Peek(1) == '>') {
      Emit(2, Style::Tag);
      return kText;
    } else if (c == '"' || c == '\'') {
      Emit(1, Style::Value);
      const Place after = Value(c);
      if (after != kTag) return after;
    } else if (c == '=') {
      Emit(1, Style::Tag);
      // An unquoted value runs to a blank or the end of the tag.
      size_t length = 0;
      while (pos_ + length < line_.size() && !IsBlank(line_[pos_ + length]) && line_[pos_ + length] != '>' &&
             line_[pos_ + length] != '"' && line_[pos_ + length] != '\'' &&
             !line_.substr(pos_ + length).starts_with("<%"))
        ++length;
      Emit(length, Style::Value);
    } else if (IsBlank(c)) {
      Emit(1, Style::Tag);
    } else {
      size_t length = 1;
      while (pos_ + length < line_.size() && !IsBlank(line_[pos_ + length]) && line_[pos_ + length] != '=' &&
             line_[pos_ + length] != '>' && line_[pos_ + length] != '<')
        ++length;
      Emit(length, Style::Attribute);
    }
  }
  return kTag;
}

Place LineStyler::Value(char quote) {
  while (!Done()) {
    if (const Place markup = MarkupOpening(); markup != kText) {
      Emit(2, markup == kVariable ? Style::Variable : markup == kInclude ? Style::Include : Style::Command);
      if (MarkupBody(markup) != kText) return markup;
    } else if (Peek() == quote) {
      Emit(1, Style::Value);
      return kTag;
    } else {
      Emit(1, Style::Value);
    }
  }
  return quote == '"' ? kDoubleValue : kSingleValue;
}

bool LineStyler::ScriptUntil(std::string_view close, Style style) {
  while (!Done()) {
    if (ScriptEndsHere()) return false;
    if (At(close)) {
      Emit(close.size(), style);
      return true;
    }
    Emit(1, style);
  }
  return false;
}

Place LineStyler::Script() {
  while (!Done()) {
    if (ScriptEndsHere()) {
      Emit(2, Style::ScriptBracket);
      return kText;
    }
    if (Peek() == '{') {
      Emit(1, Style::ScriptComment);
      if (!ScriptUntil("}", Style::ScriptComment)) {
        if (!Done()) continue;  // the block ends inside the comment
        return kBraceComment;
      }
    } else if (At("(*")) {
      Emit(2, Style::ScriptComment);
      if (!ScriptUntil("*)", Style::ScriptComment)) {
        if (!Done()) continue;
        return kParenComment;
      }
    } else {
      ScriptToken();
    }
  }
  return kScript;
}

void LineStyler::ScriptToken() {
  const char c = Peek();
  const auto run = [&](size_t from, auto accept) {
    size_t length = from;
    while (pos_ + length < line_.size() && accept(line_[pos_ + length])) ++length;
    return length;
  };
  if (At("//")) {
    // A line comment; a page's block may still end on this line.
    const size_t end = language_ == Language::Page ? line_.find("+>", pos_) : std::string_view::npos;
    Emit(end == std::string_view::npos ? line_.size() - pos_ : end - pos_, Style::ScriptComment);
  } else if (c == '\'') {
    size_t length = 1;
    while (pos_ + length < line_.size()) {
      if (language_ == Language::Page && line_.substr(pos_ + length).starts_with("+>")) break;
      if (line_[pos_ + length++] != '\'') continue;
      if (pos_ + length < line_.size() && line_[pos_ + length] == '\'') {
        ++length;  // '' inside a string
        continue;
      }
      break;
    }
    Emit(length, Style::String);
  } else if (c == '#') {
    Emit(run(1, [](char d) { return std::isxdigit(static_cast<unsigned char>(d)) || d == '$'; }), Style::String);
  } else if (std::isdigit(static_cast<unsigned char>(c)) || (c == '$' && std::isxdigit(static_cast<unsigned char>(Peek(1))))) {
    Emit(run(1, [](char d) { return std::isxdigit(static_cast<unsigned char>(d)) || d == '.'; }), Style::Number);
  } else if (IsWordStart(c)) {
    const size_t length = run(1, IsWordChar);
    Emit(length, IsKeyword(line_.substr(pos_, length)) ? Style::Keyword : Style::Identifier);
  } else if (IsBlank(c)) {
    Emit(run(1, IsBlank), Style::Text);
  } else {
    Emit(1, Style::Operator);
  }
}

int LineStyler::Run(int state) {
  Place place = PlaceOf(state);
  Place back = BackOf(state);
  while (!Done()) {
    switch (place) {
      case kText:
        place = Text();
        back = kText;
        break;
      case kTag:
        place = Tag();
        back = kTag;
        break;
      case kDoubleValue:
      case kSingleValue: {
        const Place here = place;
        place = Value(here == kDoubleValue ? '"' : '\'');
        back = here;
        break;
      }
      case kComment:
        place = Until("-->", Style::Comment) ? kText : kComment;
        break;
      case kVariable:
      case kInclude:
      case kCommand:
        place = MarkupBody(place);
        if (place == kText) place = back;
        break;
      case kScript:
        place = Script();
        break;
      case kBraceComment:
      case kParenComment:
        if (ScriptUntil(place == kBraceComment ? "}" : "*)", Style::ScriptComment) || !Done()) place = kScript;
        break;
      default:
        place = language_ == Language::Script ? kScript : kText;
        back = kText;
        break;
    }
  }
  // Markup left open keeps where it will go back to.
  if (place == kVariable || place == kInclude || place == kCommand) return Make(place, back);
  return Make(place);
}

}  // namespace

int InitialState(Language language) { return Make(language == Language::Script ? kScript : kText); }

int HighlightLine(std::string_view line, int state, Language language, std::vector<StyleRun>& runs) {
  return LineStyler(line, language, runs).Run(state);
}

Language LanguageOfFile(std::string_view path) {
  const size_t dot = path.find_last_of("./");
  if (dot == std::string_view::npos || path[dot] != '.') return Language::Page;
  std::string ext(path.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "ops" || ext == "pas" ? Language::Script : Language::Page;
}

}  // namespace orv::edit
