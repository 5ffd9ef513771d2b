#include "core/script/lexer.h"

#include <algorithm>

#include "core/script/engine.h"
#include "core/script/host_registry.h"
#include "platform/paths.h"
#include "platform/window.h"

namespace orv {
namespace {

void DefaultMessageHook() { ProcessMessages(); }

LexerMessageHook message_hook = DefaultMessageHook;

}  // namespace

void SetLexerMessageHook(LexerMessageHook hook) { message_hook = hook; }

TLexer::TLexer(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

unsigned char TLexer::NextChar() {
  unsigned char c = pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : 0;
  ++pos_;
  return c;
}

unsigned char TLexer::PeekChar() {
  unsigned char c = NextChar();
  --pos_;
  return c;
}

void TLexer::Unread(int32_t n) {
  if (n >= 0 && static_cast<size_t>(n) <= pos_) pos_ -= static_cast<size_t>(n);
}

int TLexer::CurrentLine() const {
  size_t end = std::min(pos_, text_.size());
  return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

void TLexer::SyntaxError(std::string_view text) const { throw ECompilerError::AtLine(CurrentLine(), text); }

void TLexer::PeekToken(TToken& token) {
  size_t saved = pos_;
  GetToken(token);
  pos_ = saved;
}

void TLexer::GetToken(TToken& token) {
  if (message_hook) message_hook();
  unsigned char c;
  for (;;) {
    do c = NextChar();
    while (IsWhiteSpace(c));
    unsigned char next = PeekChar();
    if ((c == '/' && next == '/') || (c == '-' && next == '-')) {
      SkipLineComment();
    } else if ((c == '(' || c == '/') && next == '*') {
      NextChar();
      SkipBlockComment(c == '(' ? ')' : '/');
    } else if (c == '{') {
      SkipBlockComment('}');
    } else {
      break;
    }
  }
  token.Value = Variant(0);
  if (c == 0) {
    token.Kind = tkEnd;
  } else if (IsOperatorChar(c)) {
    token.Kind = c;
    dollar_ = c == '$';
  } else if (c == '\'' || c == '"') {
    ReadString(c, token);
  } else {
    ReadWord(token);
  }
}

void TLexer::SkipLineComment() {
  unsigned char c;
  do c = NextChar();
  while (c >= 32);
  if (c == 0) Unread(1);  // the end of text stays readable
}

void TLexer::SkipBlockComment(unsigned char closer) {
  // A brace comment ends at '}'; "(*" and "/*" comments end at '*' followed
  // by `closer`.
  for (;;) {
    unsigned char c = NextChar();
    if (c == 0) SyntaxError("Unexpected EOF in comment block");
    if (closer == '}') {
      if (c == '}') return;
    } else if (c == '*' && PeekChar() == closer) {
      NextChar();
      return;
    }
  }
}

void TLexer::ReadString(unsigned char quote, TToken& token) {
  size_t start = pos_;
  for (;;) {
    unsigned char c = NextChar();
    if (c == 0) SyntaxError("Unexpected EOF in string constant declaration");
    if (c == quote) break;
  }
  token.Kind = tkString;
  token.Value = Variant(std::string_view(text_).substr(start, pos_ - 1 - start));
}

void TLexer::ReadWord(TToken& token) {
  size_t start = pos_ - 1;  // the word's first byte is already read
  while (!IsWordTerminator(NextChar())) {
  }
  Unread(1);
  std::string word = UpperCase(std::string_view(text_).substr(start, pos_ - start));
  const auto* bytes = reinterpret_cast<const unsigned char*>(word.data());
  if (IsIdentStart(bytes[0])) {
    if (!std::all_of(bytes + 1, bytes + word.size(), IsIdentChar)) {
      SyntaxError("Bad identifier name <" + word + ">");
    }
    int32_t keyword = FindKeyword(word);
    if (keyword >= 0) {
      token.Kind = keyword;
      token.Value = Variant(word);
      return;
    }
    int32_t constant = EngineStarted() ? FindConst(word) : -1;
    if (constant >= 0) {
      token.Kind = tkConst;
      token.Value = Variant(constant);
      return;
    }
    token.Kind = tkIdent;
    token.Value = Variant(word);
  } else if (word.size() > 1 && word[1] == 'X') {
    token.Kind = tkHexX;
    token.Value = Variant(std::string_view(word).substr(2));
  } else {
    bool (*allowed)(unsigned char) = dollar_ ? IsHexDigit : IsDecimalDigit;
    if (!std::all_of(bytes, bytes + word.size(), allowed)) SyntaxError("Bad identifier <" + word + ">");
    token.Kind = tkDigits;
    token.Value = Variant(word);
  }
}

}  // namespace orv
