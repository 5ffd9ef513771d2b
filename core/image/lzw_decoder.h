// The LZW decoder of GIF image data: variable-width codes packed least
// significant bit first, clear and end codes, code growth up to 12 bits and
// the deferred clear (a full table is used as it is until a clear code).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace orv {

// Decodes `data` (the joined data sub-blocks of one image) with the LZW
// minimum code size `min_code_size` into `out`, which holds `capacity`
// zero-filled bytes. Pixels are written in stream order; the count written is
// returned. Decoding ends at the end code or when the data runs out (no error:
// the rest stays zero). Raises EGifException "Bad code Size" when
// `min_code_size` is outside 2 to 9, "Bad code" for a code beyond the next
// free table entry, and EIndexOutOfBounds when the stream holds more pixels
// than `capacity`.
size_t DecodeLzw(std::string_view data, int min_code_size, uint8_t* out, size_t capacity);

// Where a decoder reads its data from as it goes: each call gives the next
// piece (a data sub-block as it is read from the file), empty at the end.
// A piece stays valid until the next call.
using LzwInput = std::function<std::string_view()>;

// DecodeLzw of the data that `input` gives, read only as the decoder needs
// it; the decoder stops asking after the end code.
size_t DecodeLzw(const LzwInput& input, int min_code_size, uint8_t* out, size_t capacity);

}  // namespace orv
