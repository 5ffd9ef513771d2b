#include "edit/text_codec.h"

#include <array>
#include <cstdint>
#include <optional>

namespace orv::edit {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Code page 1252 from 0x80 to 0x9F; the unused bytes keep their own number.
constexpr std::array<char32_t, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The next character of strict UTF-8 at `pos` (advanced past it), or nothing
// for a sequence that is not UTF-8 (overlong, a surrogate, beyond U+10FFFF,
// cut short).
std::optional<char32_t> NextUtf8(std::string_view text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || pos + length > text.size()) return std::nullopt;
  char32_t c = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (byte(pos + i) & 0x3F);
  }
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  pos += length;
  return c;
}

bool IsUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    // Runs of ASCII are the common case: skip them quickly.
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    if (!NextUtf8(text, pos)) return false;
  }
  return true;
}

// The UTF-16 text after the byte-order mark as UTF-8, or nothing when its
// length is odd or a surrogate stands unpaired.
std::optional<std::string> FromUtf16(std::string_view bytes, bool big_endian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  const auto unit = [&](size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return big_endian ? (a << 8 | b) : (b << 8 | a);
  };
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xDC00 && c <= 0xDFFF) return std::nullopt;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 4 > bytes.size()) return std::nullopt;
      const char32_t low = unit(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string From1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHigh1252[byte - 0x80] : char32_t{byte});
  }
  return out;
}

bool To1252(std::string_view utf8, std::string& bytes) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const std::optional<char32_t> c = NextUtf8(utf8, pos);
    if (!c) return false;
    if (*c < 0x80 || (*c >= 0xA0 && *c < 0x100)) {
      out += static_cast<char>(*c);
      continue;
    }
    size_t index = 0;
    while (index < kHigh1252.size() && kHigh1252[index] != *c) ++index;
    if (index == kHigh1252.size()) return false;
    out += static_cast<char>(0x80 + index);
  }
  bytes = std::move(out);
  return true;
}

bool ToUtf16(std::string_view utf8, bool big_endian, std::string& bytes) {
  std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  const auto put = [&](char32_t unit) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += big_endian ? high : low;
    out += big_endian ? low : high;
  };
  for (size_t pos = 0; pos < utf8.size();) {
    const std::optional<char32_t> c = NextUtf8(utf8, pos);
    if (!c) return false;
    if (*c < 0x10000) {
      put(*c);
    } else {
      put(0xD800 + ((*c - 0x10000) >> 10));
      put(0xDC00 + ((*c - 0x10000) & 0x3FF));
    }
  }
  bytes = std::move(out);
  return true;
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom) && IsUtf8(bytes.substr(kUtf8Bom.size()))) return TextEncoding::Utf8Bom;
  if (bytes.starts_with("\xFF\xFE") && FromUtf16(bytes.substr(2), false)) return TextEncoding::Utf16Le;
  if (bytes.starts_with("\xFE\xFF") && FromUtf16(bytes.substr(2), true)) return TextEncoding::Utf16Be;
  return IsUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

LineEnd DetectLineEnd(std::string_view text, LineEnd fallback) {
  size_t counts[3] = {0, 0, 0};  // CrLf, Lf, Cr
  std::optional<LineEnd> first;
  for (size_t i = 0; i < text.size(); ++i) {
    LineEnd seen;
    if (text[i] == '\n') {
      seen = LineEnd::Lf;
    } else if (text[i] == '\r') {
      seen = i + 1 < text.size() && text[i + 1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
      if (seen == LineEnd::CrLf) ++i;
    } else {
      continue;
    }
    ++counts[static_cast<int>(seen)];
    if (!first) first = seen;
  }
  if (!first) return fallback;
  LineEnd best = *first;
  for (LineEnd end : {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr})
    if (counts[static_cast<int>(end)] > counts[static_cast<int>(best)]) best = end;
  return best;
}

}  // namespace

TextFormat DetectTextFormat(std::string_view bytes, LineEnd fallback) {
  TextFormat format;
  format.Encoding = DetectEncoding(bytes);
  // The line-break bytes of UTF-16 are not single bytes: count them in the text.
  if (format.Encoding == TextEncoding::Utf16Le || format.Encoding == TextEncoding::Utf16Be)
    format.LineEnds = DetectLineEnd(DecodeText(bytes, format.Encoding), fallback);
  else
    format.LineEnds = DetectLineEnd(bytes, fallback);
  return format;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8Bom:
      if (bytes.starts_with(kUtf8Bom) && IsUtf8(bytes.substr(kUtf8Bom.size())))
        return std::string(bytes.substr(kUtf8Bom.size()));
      break;
    case TextEncoding::Utf8:
      if (IsUtf8(bytes)) return std::string(bytes);
      break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
      const bool big = encoding == TextEncoding::Utf16Be;
      if (bytes.starts_with(big ? "\xFE\xFF" : "\xFF\xFE"))
        if (std::optional<std::string> text = FromUtf16(bytes.substr(2), big)) return *text;
      break;
    }
    case TextEncoding::Windows1252:
      break;
  }
  return From1252(bytes);
}

bool EncodeText(std::string_view utf8, TextEncoding encoding, std::string& bytes) {
  switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
      if (!IsUtf8(utf8)) return false;
      bytes = (encoding == TextEncoding::Utf8Bom ? std::string(kUtf8Bom) : std::string()) + std::string(utf8);
      return true;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      return ToUtf16(utf8, encoding == TextEncoding::Utf16Be, bytes);
    case TextEncoding::Windows1252:
      return To1252(utf8, bytes);
  }
  return false;
}

std::string ConvertLineEnds(std::string_view text, LineEnd line_end) {
  const std::string_view end = line_end == LineEnd::CrLf ? "\r\n" : line_end == LineEnd::Lf ? "\n" : "\r";
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += end;
    } else if (text[i] == '\n') {
      out += end;
    } else {
      out += text[i];
    }
  }
  return out;
}

const char* EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Utf8Bom: return "UTF-8 with BOM";
    case TextEncoding::Utf16Le: return "UTF-16 LE";
    case TextEncoding::Utf16Be: return "UTF-16 BE";
    case TextEncoding::Windows1252: return "Windows-1252";
  }
  return "";
}

const char* LineEndName(LineEnd line_end) {
  switch (line_end) {
    case LineEnd::CrLf: return "CRLF";
    case LineEnd::Lf: return "LF";
    case LineEnd::Cr: return "CR";
  }
  return "";
}

}  // namespace orv::edit
