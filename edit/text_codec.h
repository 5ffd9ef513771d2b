// How a document's bytes are read into the editor and written back: the
// encoding and the line ends found in a file, kept as found, so that saving
// an unchanged document gives back the very bytes that were opened.
#pragma once

#include <string>
#include <string_view>

namespace orv::edit {

// The encodings a page may come in. Bytes that are not UTF-8 are taken as
// the 8-bit Windows code page 1252 that pages of the system were written in;
// its five unused bytes stand for the control characters of the same number,
// so every byte sequence reads and writes back unchanged.
enum class TextEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Windows1252 };

// The line end a document uses for the lines the user adds.
enum class LineEnd { CrLf, Lf, Cr };

struct TextFormat {
  TextEncoding Encoding = TextEncoding::Utf8;
  LineEnd LineEnds = LineEnd::CrLf;
};

// The format of `bytes`: a byte-order mark decides the encoding (UTF-16 only
// when the rest is valid UTF-16), else valid UTF-8, else code page 1252. The
// line end is the one the file uses most (the first seen on a tie), or
// `fallback` when it has no line break.
TextFormat DetectTextFormat(std::string_view bytes, LineEnd fallback);

// The text of `bytes` as UTF-8 (without a byte-order mark), read as
// `encoding`. Bytes that `encoding` cannot read are taken as code page 1252.
std::string DecodeText(std::string_view bytes, TextEncoding encoding);

// The bytes of `utf8` in `encoding` (with its byte-order mark). False when a
// character cannot be written in it (code page 1252 holds few), with `bytes`
// then unchanged.
bool EncodeText(std::string_view utf8, TextEncoding encoding, std::string& bytes);

// `text` with every line break (CR LF, LF or CR) written as `line_end`.
std::string ConvertLineEnds(std::string_view text, LineEnd line_end);

// "UTF-8", "UTF-8 with BOM", "UTF-16 LE", "UTF-16 BE", "Windows-1252".
const char* EncodingName(TextEncoding encoding);

// "CRLF", "LF", "CR".
const char* LineEndName(LineEnd line_end);

}  // namespace orv::edit
