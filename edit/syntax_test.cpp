#include "edit/syntax.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orv::edit {
namespace {

// The line's pieces as "style:text" joined with "|", and the state after it.
std::string Pieces(std::string_view line, int& state, Language language = Language::Page) {
  std::vector<StyleRun> runs;
  state = HighlightLine(line, state, language, runs);
  static const char* const kNames[] = {"text", "tag", "attr", "value", "comment", "entity", "var", "inc", "cmd",
                                       "define", "bracket", "kw", "id", "num", "str", "rem", "op"};
  std::ostringstream out;
  size_t at = 0;
  for (const StyleRun& run : runs) {
    if (at) out << "|";
    out << kNames[static_cast<int>(run.Kind)] << ":" << line.substr(at, run.Length);
    at += run.Length;
  }
  EXPECT_EQ(at, line.size()) << "the runs cover the line";
  return out.str();
}

std::string Pieces(std::string_view line, Language language = Language::Page) {
  int state = InitialState(language);
  return Pieces(line, state, language);
}

TEST(SyntaxTest, PageMarkup) {
  const struct {
    std::string line;
    std::string pieces;
  } cases[] = {
      {"Hello <b>world</b>", "text:Hello |tag:<b>|text:world|tag:</b>"},
      {"<a href=\"x.htm\" target=_top>", "tag:<a |attr:href|tag:=|value:\"x.htm\"|tag: |attr:target|tag:=|value:_top|tag:>"},
      {"<p>&amp; &nbsp &#169;</p>", "tag:<p>|entity:&amp;|text: &nbsp |entity:&#169;|tag:</p>"},
      {"<%Title%> and <&header.hsn&>", "var:<%Title%>|text: and |inc:<&header.hsn&>"},
      {"<*date +%Y*>", "cmd:<*date +%Y*>"},
      {"<img src=\"<%Root%>logo.gif\">", "tag:<img |attr:src|tag:=|value:\"|var:<%Root%>|value:logo.gif\"|tag:>"},
      {"  {$DEFINE type=\"x\" value=\"y\"} after", "text:  |define:{$DEFINE type=\"x\" value=\"y\"}|text: after"},
      {"a {$DEFINE x}", "text:a {$DEFINE x}"},
      {"<!-- note --> x", "comment:<!-- note -->|text: x"},
      {"1 < 2", "text:1 < 2"},
      {"<+ WriteLn('a +b'); +>!", "bracket:<+|text: |id:WriteLn|op:(|str:'a +b'|op:);|text: |bracket:+>|text:!"},
  };
  for (const auto& c : cases) EXPECT_EQ(Pieces(c.line), c.pieces) << c.line;
}

TEST(SyntaxTest, StatesCarryOverLines) {
  int state = InitialState(Language::Page);
  EXPECT_EQ(Pieces("<!-- open\n", state), "comment:<!-- open\n");
  EXPECT_EQ(Pieces("still -->done\n", state), "comment:still -->|text:done\n");
  EXPECT_EQ(Pieces("<+ begin { a\n", state), "bracket:<+|text: |kw:begin|text: |rem:{ a\n");
  EXPECT_EQ(Pieces("comment } End;\n", state), "rem:comment }|text: |kw:End|op:;|text:\n");
  EXPECT_EQ(Pieces("(* x +> <b>\n", state), "rem:(* x |bracket:+>|text: |tag:<b>|text:\n");
  EXPECT_EQ(Pieces("<td class=\"a\n", state), "tag:<td |attr:class|tag:=|value:\"a\n");
  EXPECT_EQ(Pieces("b<%v\n", state), "value:b|var:<%v\n");
  EXPECT_EQ(Pieces("%>c\">x\n", state), "var:%>|value:c\"|tag:>|text:x\n");
}

TEST(SyntaxTest, ScriptFiles) {
  int state = InitialState(Language::Script);
  EXPECT_EQ(Pieces("procedure Go; // +> is no end here\n", state, Language::Script),
            "kw:procedure|text: |id:Go|op:;|text: |rem:// +> is no end here\n");
  EXPECT_EQ(Pieces("x := $1F + 2.5 + #13 + 'it''s';", state, Language::Script),
            "id:x|text: |op::=|text: |num:$1F|text: |op:+|text: |num:2.5|text: |op:+|text: |str:#13|text: |op:+|text: "
            "|str:'it''s'|op:;");
  EXPECT_EQ(LanguageOfFile("/x/list.PAS"), Language::Script);
  EXPECT_EQ(LanguageOfFile("/x/table.ops"), Language::Script);
  EXPECT_EQ(LanguageOfFile("/x.ops/page.hts"), Language::Page);
  EXPECT_EQ(LanguageOfFile("noext"), Language::Page);
}

TEST(SyntaxTest, AnyStateAndBytesAreAccepted) {
  for (int state : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 200, 0x0501, 0x7FFF, -1})
    for (std::string line : {std::string("<%a"), std::string("\xFF\x00<+", 4), std::string("'"), std::string()}) {
      int s = state;
      Pieces(line, s);
      s = state;
      Pieces(line, s, Language::Script);
    }
}

}  // namespace
}  // namespace orv::edit
