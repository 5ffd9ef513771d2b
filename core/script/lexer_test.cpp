#include "core/script/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/script/engine.h"
#include "core/script/host_registry.h"

namespace orv {
namespace {

// Kind and value text of every token of `text`, up to the end token.
std::vector<std::pair<int32_t, std::string>> Tokens(std::string_view text) {
  TLexer lexer(text);
  std::vector<std::pair<int32_t, std::string>> tokens;
  TToken token;
  do {
    lexer.GetToken(token);
    tokens.emplace_back(token.Kind, token.Value.AsString());
  } while (token.Kind != tkEnd && tokens.size() < 1000);
  return tokens;
}

using TokenList = std::vector<std::pair<int32_t, std::string>>;

// The framed message of the error that lexing `text` raises.
std::string ErrorOf(std::string_view text) {
  try {
    Tokens(text);
  } catch (const ECompilerError& e) {
    return e.what();
  }
  return "no error";
}

class LexerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngineStartup();
    SetLexerMessageHook(nullptr);
  }
  void TearDown() override { EngineShutdown(); }
};

TEST_F(LexerTest, KeywordTableIsSortedAndComplete) {
  EXPECT_EQ(FindKeyword("program"), kwProgram);
  EXPECT_EQ(FindKeyword("DownTo"), kwDownTo);
  EXPECT_EQ(FindKeyword("Nil"), kwNil);
  EXPECT_EQ(FindKeyword("stdcall"), kwStdcall);
  EXPECT_EQ(FindKeyword("abstract"), kwAbstract);
  EXPECT_EQ(FindKeyword("xor"), kwXor);
  EXPECT_EQ(FindKeyword("Result"), -1);
  EXPECT_EQ(FindKeyword(""), -1);
  const char* words[] = {"Program", "Label", "Goto", "Var", "Begin", "End", "And", "Or", "Xor",
                         "Not", "Shl", "Shr", "Div", "Mod", "True", "False", "If", "then",
                         "else", "While", "Repeat", "Until", "For", "To", "DownTo", "Do", "Nil",
                         "initialization", "finalization", "class", "type", "constructor",
                         "destructor", "uses", "unit", "interface", "implementation", "procedure",
                         "private", "public", "protected", "published", "function", "const",
                         "property", "virtual", "override", "dynamic", "record", "forward",
                         "index", "read", "write", "stored", "default", "abstract", "stdcall"};
  int found = 0;
  for (const char* w : words) found += FindKeyword(w) >= 1000;
  EXPECT_EQ(found, 57);
}

TEST_F(LexerTest, ReadsEveryTokenKind) {
  RegisterConst("MyConst", Variant(5));
  int32_t constant = FindConst("MYCONST");
  TokenList expected = {
      {tkIdent, "X"},        {':', "0"},         {'=', "0"},
      {tkDigits, "12"},      {'+', "0"},         {tkString, "It's"},
      {tkString, "a\"b"},    {kwBegin, "BEGIN"}, {tkConst, std::to_string(constant)},
      {tkHexX, "1F"},        {tkHexX, "ZZ"},     {'$', "0"},
      {tkDigits, "1F"},      {'#', "0"},         {tkDigits, "13"},
      {tkIdent, "A_1"},      {'@', "0"},         {tkEnd, "0"},
  };
  EXPECT_EQ(Tokens("x:=12+\"It's\" 'a\"b' begin myconst 0x1F 9xZZ $1F #13 a_1@"), expected);
}

TEST_F(LexerTest, RealsAndDollarForms) {
  TokenList real = {{tkDigits, "1"}, {'.', "0"}, {tkDigits, "5"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("1.5"), real);
  TokenList dollar_word = {{'$', "0"}, {tkIdent, "FF"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("$FF"), dollar_word);
  EXPECT_EQ(ErrorOf("1F"), "Syntax error in  (1): \r\nBad identifier <1F>.");
  EXPECT_EQ(ErrorOf("1E5"), "Syntax error in  (1): \r\nBad identifier <1E5>.");
  EXPECT_EQ(ErrorOf("$0FG"), "Syntax error in  (1): \r\nBad identifier <0FG>.");
  // Any other operator clears the dollar flag.
  EXPECT_EQ(ErrorOf("$0F + 1F"), "Syntax error in  (1): \r\nBad identifier <1F>.");
}

TEST_F(LexerTest, Comments) {
  TokenList ab = {{tkIdent, "A"}, {tkIdent, "B"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("a // comment\r\nb"), ab);
  EXPECT_EQ(Tokens("a -- comment\nb"), ab);
  EXPECT_EQ(Tokens("a { comment\n } b"), ab);
  EXPECT_EQ(Tokens("a (* comment * ) **) b"), ab);
  EXPECT_EQ(Tokens("a /* comment * / **/ b"), ab);
  EXPECT_EQ(Tokens("a(*)*)b"), ab);
  TokenList a = {{tkIdent, "A"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("a // last line"), a);
  EXPECT_EQ(Tokens("a --"), a);
  TokenList minus = {{tkIdent, "A"}, {'-', "0"}, {'-', "0"}, {tkDigits, "1"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("a - -1"), minus);
  EXPECT_EQ(Tokens("a--1"), a);
  TokenList slash = {{tkIdent, "A"}, {'/', "0"}, {tkIdent, "B"}, {'(', "0"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("a/b("), slash);
  EXPECT_EQ(ErrorOf("a {"), "Syntax error in  (1): \r\nUnexpected EOF in comment block.");
  EXPECT_EQ(ErrorOf("a (* x *( "), "Syntax error in  (1): \r\nUnexpected EOF in comment block.");
  EXPECT_EQ(ErrorOf("\n/* x *"), "Syntax error in  (2): \r\nUnexpected EOF in comment block.");
}

TEST_F(LexerTest, StringsHaveNoEscapes) {
  TokenList two = {{tkString, "a"}, {tkString, "b"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("'a''b'"), two);
  TokenList empty = {{tkString, ""}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("''"), empty);
  EXPECT_EQ(ErrorOf("x := 1;\n\n\ny := 'abc"),
            "Syntax error in  (4): \r\nUnexpected EOF in string constant declaration.");
}

TEST_F(LexerTest, NulEndsTheText) {
  std::string text("a\0b", 3);
  TokenList a = {{tkIdent, "A"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens(text), a);
  EXPECT_EQ(Tokens(std::string("a//x\0b", 6)), a);
  EXPECT_EQ(ErrorOf(std::string("'ab\0c'", 6)),
            "Syntax error in  (1): \r\nUnexpected EOF in string constant declaration.");
}

TEST_F(LexerTest, BadIdentifiers) {
  EXPECT_EQ(ErrorOf("abc!def"), "Syntax error in  (1): \r\nBad identifier name <ABC!DEF>.");
  EXPECT_EQ(ErrorOf("}"), "Syntax error in  (1): \r\nBad identifier <}>.");
  EXPECT_EQ(ErrorOf("!"), "Syntax error in  (1): \r\nBad identifier <!>.");
  TokenList split = {{tkIdent, "AB"}, {'$', "0"}, {tkIdent, "CD"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("ab$cd"), split);
  TokenList upper = {{tkIdent, "\xC0X"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("\xC0x"), upper);
}

TEST_F(LexerTest, ErrorLinesCountLineFeedsOnly) {
  EXPECT_EQ(ErrorOf("!"), "Syntax error in  (1): \r\nBad identifier <!>.");
  EXPECT_EQ(ErrorOf("a\r\nb\r\n!"), "Syntax error in  (3): \r\nBad identifier <!>.");
  EXPECT_EQ(ErrorOf("a\rb\r!"), "Syntax error in  (1): \r\nBad identifier <!>.");
  try {
    Tokens("\n\n'open");
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_EQ(e.Line(), 3);
    EXPECT_EQ(e.Text(), "Unexpected EOF in string constant declaration");
  }
}

TEST_F(LexerTest, PeekUnreadAndCharacters) {
  TLexer lexer("ab cd");
  TToken token;
  lexer.PeekToken(token);
  EXPECT_EQ(token.Value.AsString(), "AB");
  EXPECT_EQ(lexer.Position(), 0u);
  lexer.GetToken(token);
  EXPECT_EQ(token.Value.AsString(), "AB");
  lexer.Unread(2);
  EXPECT_EQ(lexer.PeekChar(), 'a');
  lexer.Unread(5);  // would go before the start: ignored
  EXPECT_EQ(lexer.NextChar(), 'a');
  lexer.GetToken(token);
  lexer.GetToken(token);
  EXPECT_EQ(token.Value.AsString(), "CD");
  lexer.GetToken(token);
  EXPECT_EQ(token.Kind, tkEnd);
  lexer.GetToken(token);
  EXPECT_EQ(token.Kind, tkEnd);
  EXPECT_EQ(lexer.NextChar(), 0);
  EXPECT_EQ(lexer.CurrentLine(), 1);
}

int hook_calls = 0;
void CountingHook() { ++hook_calls; }

TEST_F(LexerTest, MessageHookRunsBeforeEveryToken) {
  SetLexerMessageHook(CountingHook);
  hook_calls = 0;
  TLexer lexer("a b");
  TToken token;
  lexer.PeekToken(token);
  lexer.GetToken(token);
  lexer.GetToken(token);
  lexer.GetToken(token);
  EXPECT_EQ(hook_calls, 4);
  SetLexerMessageHook(nullptr);
}

TEST(LexerWithoutEngineTest, ReadsNamesAsIdentifiers) {
  SetLexerMessageHook(nullptr);
  ASSERT_FALSE(EngineStarted());
  TokenList tokens = {{tkIdent, "SSSHIFT"}, {tkEnd, "0"}};
  EXPECT_EQ(Tokens("ssShift"), tokens);
}

}  // namespace
}  // namespace orv
