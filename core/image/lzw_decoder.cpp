#include "core/image/lzw_decoder.h"

#include <algorithm>
#include <cstring>

#include "core/image/byte_arrays.h"
#include "core/image/image_errors.h"

namespace orv {

namespace {

constexpr uint32_t kMaxCodeWidth = 12;
constexpr uint32_t kTableSize = 1u << kMaxCodeWidth;

// Reads codes of a given width from a byte span, least significant bit first,
// through a 64-bit accumulator; with an input, the span is followed by the
// pieces the input gives.
class CodeReader {
 public:
  explicit CodeReader(std::string_view data, const LzwInput* input = nullptr)
      : in_(reinterpret_cast<const uint8_t*>(data.data())), end_(in_ + data.size()), input_(input) {}

  // Sets `code` to the next code of `width` bits; false when the data has
  // fewer bits left.
  bool Next(uint32_t width, uint32_t& code) {
    if (count_ < width) {
      Refill();
      if (count_ < width) return false;
    }
    code = static_cast<uint32_t>(bits_) & ((1u << width) - 1);
    bits_ >>= width;
    count_ -= width;
    return true;
  }

 private:
  void Refill() {
    if (end_ - in_ >= 8) {
      uint64_t word;
      std::memcpy(&word, in_, 8);  // GIF data is little-endian, as is the host
      bits_ |= word << count_;
      in_ += (63 - count_) >> 3;
      count_ |= 56;
    } else {
      while (count_ <= 56 && (in_ < end_ || NextPiece())) {
        bits_ |= uint64_t{*in_++} << count_;
        count_ += 8;
      }
    }
  }

  // Moves on to the input's next piece that is not empty; false at the end.
  bool NextPiece() {
    if (!input_) return false;
    std::string_view piece = (*input_)();
    if (piece.empty()) {
      input_ = nullptr;
      return false;
    }
    in_ = reinterpret_cast<const uint8_t*>(piece.data());
    end_ = in_ + piece.size();
    return true;
  }

  const uint8_t* in_;
  const uint8_t* end_;
  const LzwInput* input_;
  uint64_t bits_ = 0;
  uint32_t count_ = 0;
};

// Copies `len` bytes from `src` to `dst` where `src` + `len` <= `dst` (the
// string lies earlier in the output). With 8 bytes of room after dst + len it
// copies in 8-byte words, writing up to 7 bytes past the end.
inline void CopyString(uint8_t* dst, const uint8_t* src, size_t len, const uint8_t* out_end) {
  if (static_cast<size_t>(out_end - dst) >= len + 8) {
    for (size_t i = 0; i < len; i += 8) {
      uint64_t word;
      std::memcpy(&word, src + i, 8);
      std::memcpy(dst + i, &word, 8);
    }
  } else {
    for (size_t i = 0; i < len; ++i) dst[i] = src[i];
  }
}

size_t Decode(CodeReader& reader, int min_code_size, uint8_t* out, size_t capacity) {
  if (min_code_size < 2 || min_code_size > 9) throw EGifException("Bad code Size");
  const uint32_t clear = 1u << min_code_size;
  const uint32_t end = clear + 1;
  const uint8_t* const out_end = out + capacity;

  // Every string in the table has already been written to the output once, so
  // an entry is the position and length of that earlier copy.
  uint32_t offset[kTableSize];
  uint16_t length[kTableSize];

  uint32_t width = min_code_size + 1;
  uint32_t next = end + 1;
  uint32_t limit = 1u << width;
  size_t pos = 0;
  size_t prev_len = 0;  // 0: no previous code (start, or just after a clear)
  uint32_t code;
  while (reader.Next(width, code)) {
    size_t len;
    if (code < clear) {
      if (pos >= capacity) RaiseIndexOutOfBounds();
      out[pos] = static_cast<uint8_t>(code);
      len = 1;
    } else if (code == clear) {
      width = min_code_size + 1;
      next = end + 1;
      limit = 1u << width;
      prev_len = 0;
      continue;
    } else if (code == end) {
      break;
    } else if (prev_len == 0) {
      // First code after a clear that is not a literal: taken as pixel 0.
      if (pos >= capacity) RaiseIndexOutOfBounds();
      out[pos] = 0;
      len = 1;
    } else if (code < next) {
      len = length[code];
      if (len > capacity - pos) RaiseIndexOutOfBounds();
      CopyString(out + pos, out + offset[code], len, out_end);
    } else if (code == next) {
      // The string of the previous code followed by its own first pixel.
      len = prev_len + 1;
      if (len > capacity - pos) RaiseIndexOutOfBounds();
      CopyString(out + pos, out + pos - prev_len, prev_len, out_end);
      out[pos + prev_len] = out[pos - prev_len];
    } else {
      throw EGifException("Bad code");
    }
    if (prev_len != 0 && next < kTableSize) {
      offset[next] = static_cast<uint32_t>(pos - prev_len);
      length[next] = static_cast<uint16_t>(prev_len + 1);
      if (++next == limit && width < kMaxCodeWidth) {
        ++width;
        limit <<= 1;
      }
    }
    pos += len;
    prev_len = len;
  }
  // Word copies may have written a few bytes past the last pixel.
  if (pos < capacity) std::memset(out + pos, 0, std::min<size_t>(8, capacity - pos));
  return pos;
}

}  // namespace

size_t DecodeLzw(std::string_view data, int min_code_size, uint8_t* out, size_t capacity) {
  CodeReader reader(data);
  return Decode(reader, min_code_size, out, capacity);
}

size_t DecodeLzw(const LzwInput& input, int min_code_size, uint8_t* out, size_t capacity) {
  CodeReader reader(std::string_view(), &input);
  return Decode(reader, min_code_size, out, capacity);
}

}  // namespace orv
