// Heap byte arrays of the GIF reader: a one-dimensional array addressed from
// 1 and a row-major matrix built on it. Both refuse sizes beyond a fixed limit,
// so a hostile file cannot make the reader exhaust memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace orv {

// Largest byte array (and so the largest pixel matrix of one image) that is
// ever allocated: 64 MiB, e.g. 8192 x 8192 pixels.
inline constexpr uint64_t kMaxByteArraySize = uint64_t{1} << 26;

// Raises ENotEnoughMemory with the byte-array memory message for `count`.
[[noreturn]] void RaiseNotEnoughMemory(uint64_t count);
// Raises EIndexOutOfBounds with the byte-array index message.
[[noreturn]] void RaiseIndexOutOfBounds();

// A zero-filled heap block of bytes; elements are addressed 1 to Length().
class TBigByteArray {
 public:
  // Raises ENotEnoughMemory when `count` exceeds kMaxByteArraySize or the
  // memory is not available.
  explicit TBigByteArray(uint64_t count);

  size_t Length() const { return length_; }
  // Element `index` (1-based); EIndexOutOfBounds outside 1 to Length().
  uint8_t Get(size_t index) const;
  void Set(size_t index, uint8_t value);

  // The raw storage, for bulk work by the decoder and the bitmap writer.
  uint8_t* Data() { return data_.get(); }
  const uint8_t* Data() const { return data_.get(); }

 private:
  struct FreeDeleter {
    void operator()(uint8_t* p) const;
  };
  void CheckIndex(size_t index) const;

  std::unique_ptr<uint8_t, FreeDeleter> data_;
  size_t length_;
};

// A matrix of bytes stored row after row in one TBigByteArray; rows are
// addressed 1 to Rows().
class TByteArray2D {
 public:
  TByteArray2D(uint32_t columns, uint32_t rows);

  uint32_t Columns() const { return columns_; }
  uint32_t Rows() const { return rows_; }
  // A copy of row `row`; EIndexOutOfBounds outside 1 to Rows().
  TBigByteArray GetRow(uint32_t row) const;
  // Copies `values` into row `row`; `values` must hold exactly Columns() bytes.
  void SetRow(uint32_t row, const TBigByteArray& values);

  TBigByteArray& Storage() { return storage_; }
  const TBigByteArray& Storage() const { return storage_; }

 private:
  void CheckRow(uint32_t row) const;

  TBigByteArray storage_;
  uint32_t columns_;
  uint32_t rows_;
};

}  // namespace orv
