#include "core/image/gif_extension.h"

#include "core/image/byte_reader.h"
#include "core/image/image_errors.h"

namespace orv {

std::string HexByte(uint8_t byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  return {kDigits[byte >> 4], kDigits[byte & 15]};
}

uint8_t TExtension::PackedField() const {
  return Kind == ekGraphicControl ? static_cast<uint8_t>(Header[1]) : 0;
}

uint16_t TExtension::DelayTime() const {
  if (Kind != ekGraphicControl) return 0;
  return static_cast<uint16_t>(static_cast<uint8_t>(Header[2]) | static_cast<uint8_t>(Header[3]) << 8);
}

uint8_t TExtension::TransparentIndex() const {
  return Kind == ekGraphicControl ? static_cast<uint8_t>(Header[4]) : 0;
}

TExtension ReadExtension(ByteReader& reader, uint8_t label, bool keep_blocks) {
  TExtension ext;
  size_t header_size = 0;
  bool has_blocks = true;
  switch (label) {
    case 0x01:
      ext.Kind = ekPlainText;
      header_size = 13;
      break;
    case 0xF9:
      ext.Kind = ekGraphicControl;
      header_size = 6;
      has_blocks = false;
      break;
    case 0xFE:
      ext.Kind = ekComment;
      break;
    case 0xFF:
      ext.Kind = ekApplication;
      header_size = 12;
      break;
    default:
      throw EGifException("Unrecognized extension block.\r\nCode = $" + HexByte(label));
  }
  ext.Header = std::string(reader.ReadBytes(header_size));
  if (has_blocks)
    reader.ReadSubBlocks([&ext, keep_blocks](std::string_view b) {
      if (keep_blocks) ext.Blocks.emplace_back(b);
    });
  return ext;
}

}  // namespace orv
