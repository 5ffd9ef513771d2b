// One GIF extension block (graphic control, plain text, application or
// comment) as read from the file, and the reader of an extension's body.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class ByteReader;

// The four kinds of extension block, by their numbers.
enum TExtensionKind : uint8_t {
  ekGraphicControl = 0,
  ekPlainText = 1,
  ekApplication = 2,
  ekComment = 3,
};

// An extension block. `Header` holds the fixed bytes after the label: six for
// graphic control (block size, packed field, delay as 16-bit little-endian,
// transparent colour index, block terminator), thirteen for plain text (block
// size and the twelve header bytes), twelve for application (block size,
// eight-byte identifier, three-byte authentication code), none for comment.
// `Blocks` holds the sub-blocks that follow (text or application data).
struct TExtension {
  TExtensionKind Kind = ekComment;
  std::string Header;
  std::vector<std::string> Blocks;

  // Graphic control fields (0 for other kinds).
  uint8_t PackedField() const;
  uint16_t DelayTime() const;
  uint8_t TransparentIndex() const;
};

// Reads the extension whose label byte has just been read (the reader stands
// after it); without `keep_blocks` its sub-blocks are read past, not kept.
// An unknown label raises EGifException "Unrecognized extension block." CR
// LF "Code = $" and the label in two upper-case hex digits.
TExtension ReadExtension(ByteReader& reader, uint8_t label, bool keep_blocks = true);

// Two upper-case hexadecimal digits of `byte`.
std::string HexByte(uint8_t byte);

}  // namespace orv
