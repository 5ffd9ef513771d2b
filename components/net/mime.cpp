#include "components/net/mime.h"

namespace orv::net {
namespace {

constexpr size_t kMaxSevenBitLine = 998;
constexpr size_t kMaxEncodedLine = 76;
constexpr size_t kMaxEncodedWord = 75;
constexpr char kHex[] = "0123456789ABCDEF";

std::string Escaped(unsigned char c) { return {'=', kHex[c >> 4], kHex[c & 0x0F]}; }

bool IsAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c == 0 || c > 0x7E || (c < 0x20 && c != '\t')) return false;
  return true;
}

// One line's characters in quoted-printable, each an indivisible piece.
std::vector<std::string> QuotedPieces(const std::string& line) {
  std::vector<std::string> pieces;
  for (size_t i = 0; i < line.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    const bool blank = c == ' ' || c == '\t';
    const bool literal = (c >= 33 && c <= 126 && c != '=') || (blank && i + 1 < line.size());
    pieces.push_back(literal ? std::string(1, static_cast<char>(c)) : Escaped(c));
  }
  return pieces;
}

}  // namespace

bool IsSevenBitText(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    if (line.size() > kMaxSevenBitLine || !IsAscii(line)) return false;
  return true;
}

std::vector<std::string> QuotedPrintableLines(const std::vector<std::string>& lines) {
  std::vector<std::string> encoded;
  for (const std::string& line : lines) {
    std::string current;
    for (const std::string& piece : QuotedPieces(line)) {
      // Room is kept for the "=" of a soft line break.
      if (current.size() + piece.size() > kMaxEncodedLine - 1) {
        encoded.push_back(current + "=");
        current.clear();
      }
      current += piece;
    }
    encoded.push_back(current);
  }
  return encoded;
}

std::string HeaderText(const std::string& text) {
  if (IsAscii(text)) return text;
  const std::string open = "=?UTF-8?Q?", close = "?=";
  std::string words, word;
  auto finish = [&] {
    if (!words.empty()) words += ' ';
    words += open + word + close;
    word.clear();
  };
  for (size_t i = 0; i < text.size();) {
    // A UTF-8 sequence stays within one word.
    size_t length = 1;
    while (length < 4 && i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) ++length;
    std::string piece;
    for (size_t k = i; k < i + length; ++k) {
      const unsigned char c = static_cast<unsigned char>(text[k]);
      const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      piece += c == ' ' ? std::string("_") : plain ? std::string(1, static_cast<char>(c)) : Escaped(c);
    }
    if (!word.empty() && open.size() + word.size() + piece.size() + close.size() > kMaxEncodedWord) finish();
    word += piece;
    i += length;
  }
  finish();
  return words;
}

std::string HeaderMailbox(const std::string& mailbox) {
  const size_t open = mailbox.rfind('<');
  if (open == std::string::npos || open == 0) return mailbox;
  size_t end = open;
  while (end > 0 && mailbox[end - 1] == ' ') --end;
  return HeaderText(mailbox.substr(0, end)) + " " + mailbox.substr(open);
}

}  // namespace orv::net
