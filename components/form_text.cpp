#include "components/form_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/paths.h"

namespace orv {

EFormFileError::EFormFileError(const std::string& file, int line, const std::string& text)
    : Exception("Error in form file \"" + file + "\" at line " + std::to_string(line) + ": " + text),
      text_(text),
      line_(line) {}

bool FormObject::SameAs(const FormObject& other) const {
  if (keyword != other.keyword || name != other.name || class_name != other.class_name ||
      properties.size() != other.properties.size() || children.size() != other.children.size())
    return false;
  for (size_t i = 0; i < properties.size(); ++i)
    if (properties[i].name != other.properties[i].name || !(properties[i].value == other.properties[i].value))
      return false;
  for (size_t i = 0; i < children.size(); ++i)
    if (!children[i].SameAs(other.children[i])) return false;
  return true;
}

namespace {

// Deep nesting is refused before it could exhaust the stack.
constexpr int kMaxDepth = 100;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the form text by recursive descent, one character position at a time.
class Parser {
 public:
  Parser(std::string_view text, const std::string& file) : text_(text), file_(file) {}

  FormObject Root() {
    SkipBlanks();
    FormObject root = Object(0);
    SkipBlanks();
    if (pos_ < text_.size()) Fail("End of file expected");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const { throw EFormFileError(file_, line_, what); }

  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  bool AtEnd() const { return pos_ >= text_.size(); }

  void SkipBlanks() {
    while (!AtEnd()) {
      char c = text_[pos_];
      if (c == '\n') ++line_;
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return;
      ++pos_;
    }
  }

  void Expect(char c, const char* what) {
    SkipBlanks();
    if (Peek() != c) Fail(std::string(what) + " expected");
    ++pos_;
  }

  // An identifier, with dots between parts when `dotted` ("Font.Color").
  std::string Name(bool dotted) {
    SkipBlanks();
    if (!IsLetter(Peek())) Fail("Identifier expected");
    size_t start = pos_;
    while (!AtEnd() && (IsLetter(text_[pos_]) || IsDigit(text_[pos_]) ||
                        (dotted && text_[pos_] == '.' && pos_ + 1 < text_.size() && IsLetter(text_[pos_ + 1]))))
      ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }

  FormObject Object(int depth) {
    if (depth > kMaxDepth) Fail("Objects nested too deeply");
    FormObject object;
    object.line = line_;
    object.keyword = Name(false);
    if (!SameText(object.keyword, "object") && !SameText(object.keyword, "inherited") &&
        !SameText(object.keyword, "inline"))
      Fail("\"object\" expected");
    object.keyword = LowerCase(object.keyword);
    std::string first = Name(false);
    SkipBlanks();
    if (Peek() == ':') {
      ++pos_;
      object.name = first;
      object.class_name = Name(false);
    } else {
      object.class_name = first;
    }
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Fail("\"end\" expected");
      int line = line_;
      size_t mark = pos_;
      std::string word = Name(true);
      if (SameText(word, "end")) return object;
      if (SameText(word, "object") || SameText(word, "inherited") || SameText(word, "inline")) {
        pos_ = mark;
        object.children.push_back(Object(depth + 1));
        continue;
      }
      Expect('=', "\"=\"");
      object.properties.push_back({word, Value(depth), line});
    }
  }

  PropertyValue Value(int depth) {
    if (depth > kMaxDepth) Fail("Values nested too deeply");
    SkipBlanks();
    char c = Peek();
    if (c == '\'' || c == '#') return Text();
    if (c == '-' || c == '+' || IsDigit(c) || c == '$') return Number();
    if (c == '[') return Set();
    if (c == '(') return List(depth);
    if (c == '<') return Collection(depth);
    if (c == '{') return Binary();
    if (IsLetter(c)) {
      std::string word = Name(true);
      if (SameText(word, "True")) return true;
      if (SameText(word, "False")) return false;
      return Identifier{word};
    }
    Fail(AtEnd() ? "Value expected at end of file" : "Invalid property value");
  }

  // Quoted runs and #nn codes, joined by "+" across lines.
  std::string Text() {
    std::string text;
    for (;;) {
      TextPiece(text);
      size_t mark = pos_;
      int line = line_;
      SkipBlanks();
      if (Peek() == '+') {
        ++pos_;
        SkipBlanks();
        if (Peek() != '\'' && Peek() != '#') Fail("String expected");
        continue;
      }
      pos_ = mark;
      line_ = line;
      return text;
    }
  }

  void TextPiece(std::string& text) {
    while (Peek() == '\'' || Peek() == '#') {
      if (Peek() == '#') {
        ++pos_;
        size_t start = pos_;
        while (IsDigit(Peek())) ++pos_;
        unsigned code = 0;
        auto [end, error] = std::from_chars(text_.data() + start, text_.data() + pos_, code);
        if (start == pos_ || error != std::errc() || code > 255) Fail("Invalid character code");
        text += static_cast<char>(code);
        continue;
      }
      ++pos_;
      for (;;) {
        if (AtEnd() || Peek() == '\n' || Peek() == '\r') Fail("Unterminated string");
        char c = text_[pos_++];
        if (c == '\'') {
          if (Peek() != '\'') break;
          ++pos_;
        }
        text += c;
      }
    }
  }

  PropertyValue Number() {
    size_t start = pos_;
    if (Peek() == '-' || Peek() == '+') ++pos_;
    if (Peek() == '$') {
      ++pos_;
      size_t digits = pos_;
      while (HexDigit(Peek()) >= 0) ++pos_;
      uint64_t value = 0;
      auto [end, error] = std::from_chars(text_.data() + digits, text_.data() + pos_, value, 16);
      if (digits == pos_ || error != std::errc() || value > 0xFFFFFFFFu) Fail("Invalid number");
      // Hexadecimal numbers are 32-bit patterns: $FFFFFFFF is -1.
      int64_t pattern = static_cast<int32_t>(static_cast<uint32_t>(value));
      return text_[start] == '-' ? -pattern : pattern;
    }
    bool is_float = false;
    while (IsDigit(Peek()) || Peek() == '.' || Peek() == 'e' || Peek() == 'E' ||
           ((Peek() == '-' || Peek() == '+') && (text_[pos_ - 1] == 'e' || text_[pos_ - 1] == 'E'))) {
      if (!IsDigit(Peek())) is_float = true;
      ++pos_;
    }
    const char* first = text_.data() + start + (text_[start] == '+' ? 1 : 0);
    const char* last = text_.data() + pos_;
    if (is_float) {
      double value = 0;
      auto [end, error] = std::from_chars(first, last, value);
      if (error != std::errc() || end != last || !std::isfinite(value)) Fail("Invalid number");
      return value;
    }
    int64_t value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) Fail("Invalid number");
    return value;
  }

  SetValue Set() {
    ++pos_;
    SetValue set;
    SkipBlanks();
    if (Peek() == ']') {
      ++pos_;
      return set;
    }
    for (;;) {
      set.members.push_back(Name(false));
      SkipBlanks();
      if (Peek() == ']') {
        ++pos_;
        return set;
      }
      Expect(',', "\",\" or \"]\"");
    }
  }

  ValueList List(int depth) {
    ++pos_;
    ValueList list;
    for (;;) {
      SkipBlanks();
      if (Peek() == ')') {
        ++pos_;
        return list;
      }
      if (AtEnd()) Fail("\")\" expected");
      list.items.push_back(Value(depth + 1));
    }
  }

  // "<", then items "item Name = value ... end", then ">".
  CollectionValue Collection(int depth) {
    ++pos_;
    CollectionValue collection;
    for (;;) {
      SkipBlanks();
      if (Peek() == '>') {
        ++pos_;
        return collection;
      }
      if (AtEnd()) Fail("\">\" expected");
      if (!SameText(Name(false), "item")) Fail("\"item\" expected");
      CollectionItem item;
      for (;;) {
        SkipBlanks();
        if (AtEnd()) Fail("\"end\" expected");
        std::string word = Name(true);
        if (SameText(word, "end")) break;
        Expect('=', "\"=\"");
        item.names.push_back(word);
        item.values.push_back(Value(depth + 1));
      }
      collection.items.push_back(std::move(item));
    }
  }

  BinaryData Binary() {
    ++pos_;
    BinaryData data;
    std::string& bytes = data.bytes;
    for (;;) {
      SkipBlanks();
      if (Peek() == '}') {
        ++pos_;
        return data;
      }
      int high = HexDigit(Peek());
      int low = pos_ + 1 < text_.size() ? HexDigit(text_[pos_ + 1]) : -1;
      if (high < 0 || low < 0) Fail("Invalid binary data");
      bytes += static_cast<char>(high * 16 + low);
      pos_ += 2;
    }
  }

  std::string_view text_;
  const std::string& file_;
  size_t pos_ = 0;
  int line_ = 1;
};

// Pieces of at most this many bytes per line for long strings.
constexpr size_t kStringPiece = 64;

std::string QuoteText(std::string_view text) {
  if (text.empty()) return "''";
  std::string out;
  bool quoted = false;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127) {
      if (quoted) out += '\'';
      quoted = false;
      out += '#' + std::to_string(byte);
      continue;
    }
    if (!quoted) out += '\'';
    quoted = true;
    out += c;
    if (c == '\'') out += '\'';
  }
  if (quoted) out += '\'';
  return out;
}

void PrintValue(const PropertyValue& value, const std::string& indent, std::string& out);

std::string FloatText(double value) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, error == std::errc() ? end : buffer);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

void PrintString(const std::string& text, const std::string& indent, std::string& out) {
  if (text.size() <= kStringPiece) {
    out += QuoteText(text);
    return;
  }
  for (size_t at = 0; at < text.size(); at += kStringPiece) {
    out += "\n" + indent + "  " + QuoteText(std::string_view(text).substr(at, kStringPiece));
    if (at + kStringPiece < text.size()) out += " +";
  }
}

// Binary data as hexadecimal digits, 32 bytes a line.
void PrintBinary(const std::string& bytes, const std::string& indent, std::string& out) {
  static const char kDigits[] = "0123456789ABCDEF";
  out += '{';
  for (size_t at = 0; at < bytes.size(); ++at) {
    if (at % 32 == 0) out += "\n" + indent + "  ";
    auto byte = static_cast<unsigned char>(bytes[at]);
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
  }
  out += '}';
}

void PrintValue(const PropertyValue& value, const std::string& indent, std::string& out) {
  if (auto* number = std::get_if<int64_t>(&value)) out += std::to_string(*number);
  else if (auto* real = std::get_if<double>(&value)) out += FloatText(*real);
  else if (auto* text = std::get_if<std::string>(&value)) PrintString(*text, indent, out);
  else if (auto* flag = std::get_if<bool>(&value)) out += *flag ? "True" : "False";
  else if (auto* word = std::get_if<Identifier>(&value)) out += word->name;
  else if (auto* set = std::get_if<SetValue>(&value)) {
    out += '[';
    for (size_t i = 0; i < set->members.size(); ++i) out += (i ? ", " : "") + set->members[i];
    out += ']';
  } else if (auto* list = std::get_if<ValueList>(&value)) {
    out += '(';
    for (const PropertyValue& item : list->items) {
      out += "\n" + indent + "  ";
      PrintValue(item, indent + "  ", out);
    }
    out += ')';
  } else if (auto* data = std::get_if<BinaryData>(&value)) {
    PrintBinary(data->bytes, indent, out);
  } else if (auto* collection = std::get_if<CollectionValue>(&value)) {
    out += '<';
    for (const CollectionItem& item : collection->items) {
      out += "\n" + indent + "  item";
      for (size_t i = 0; i < item.names.size(); ++i) {
        out += "\n" + indent + "    " + item.names[i] + " = ";
        PrintValue(item.values[i], indent + "    ", out);
      }
      out += "\n" + indent + "  end";
    }
    out += '>';
  } else {
    out += "''";
  }
}

void PrintObject(const FormObject& object, const std::string& indent, std::string& out) {
  out += indent + object.keyword + ' ';
  if (!object.name.empty()) out += object.name + ": ";
  out += object.class_name + "\n";
  for (const FormProperty& property : object.properties) {
    out += indent + "  " + property.name + " = ";
    PrintValue(property.value, indent + "  ", out);
    out += '\n';
  }
  for (const FormObject& child : object.children) PrintObject(child, indent + "  ", out);
  out += indent + "end\n";
}

}  // namespace

FormObject ParseFormText(std::string_view text, const std::string& file) {
  return Parser(text, file).Root();
}

std::string PrintFormText(const FormObject& root) {
  std::string out;
  PrintObject(root, "", out);
  return out;
}

}  // namespace orv
