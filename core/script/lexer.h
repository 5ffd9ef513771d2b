// The lexer of the script language: reads one token at a time from a text held
// in memory, can look one token ahead and step back, and raises every compile
// error with the line where reading stopped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/script/compiler_error.h"
#include "core/script/token.h"

namespace orv {

// Called before every token is read, so a host's user interface can process
// pending events during long compilations. The default runs the platform's
// ProcessMessages(); nullptr calls nothing.
using LexerMessageHook = void (*)();
void SetLexerMessageHook(LexerMessageHook hook);

// Tokenizer over one script text. A NUL byte ends the text. Names of
// registered constants become tkConst tokens while the engine is started.
//   TLexer lex("x := 1;");
//   TToken t;
//   lex.GetToken(t);   // tkIdent "X"
//   lex.PeekToken(t);  // ':' without consuming it
// Comments: "//" and "--" to the end of the line, "{ }", "(* *)", "/* */".
class TLexer {
 public:
  explicit TLexer(std::string_view text);

  // The byte at the position, then one step on; 0 at or beyond the end (the
  // position still advances).
  unsigned char NextChar();
  // NextChar without moving.
  unsigned char PeekChar();
  // Moves back `n` bytes when that does not go before the start.
  void Unread(int32_t n);

  // Reads the next token; ECompilerError on a lexical error.
  void GetToken(TToken& token);
  // GetToken with the position restored afterwards (the dollar flag is not).
  void PeekToken(TToken& token);

  // 1 + the number of line feeds before the position.
  int CurrentLine() const;
  // Raises ECompilerError::AtLine(CurrentLine(), text).
  [[noreturn]] void SyntaxError(std::string_view text) const;

  // The index of the next byte to read.
  size_t Position() const { return pos_; }
  // The whole text.
  std::string_view Text() const { return text_; }

 private:
  void SkipLineComment();
  void SkipBlockComment(unsigned char closer);
  void ReadString(unsigned char quote, TToken& token);
  void ReadWord(TToken& token);

  std::string text_;
  size_t pos_ = 0;
  bool dollar_ = false;
};

}  // namespace orv
