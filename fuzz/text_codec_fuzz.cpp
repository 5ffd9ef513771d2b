// The editor's reading of a file's bytes: whatever the bytes, the format
// found must write them back unchanged, the text handed to the editing area
// must be UTF-8, and converting line ends must leave no other line end.
#include <cstdint>
#include <string>

#include "edit/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orv::edit;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TextFormat format = DetectTextFormat(bytes, LineEnd::CrLf);
  const std::string text = DecodeText(bytes, format.Encoding);
  std::string written;
  if (!EncodeText(text, format.Encoding, written) || written != bytes) __builtin_trap();
  std::string utf8;
  if (!EncodeText(text, TextEncoding::Utf8, utf8) || utf8 != text) __builtin_trap();
  const std::string lf = ConvertLineEnds(text, LineEnd::Lf);
  if (lf.find('\r') != std::string::npos) __builtin_trap();
  if (ConvertLineEnds(ConvertLineEnds(lf, LineEnd::CrLf), LineEnd::Lf) != lf) __builtin_trap();
  return 0;
}
