#include "core/image/byte_arrays.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/image/image_errors.h"

namespace orv {

void RaiseNotEnoughMemory(uint64_t count) {
  throw ENotEnoughMemory(
      "error in TBigByteArray.create: Not enough contiguous memory available\r\n"
      " requested memory block: " + std::to_string(count) + " bytes");
}

void RaiseIndexOutOfBounds() { throw EIndexOutOfBounds("Dynamic array index out of bounds"); }

void TBigByteArray::FreeDeleter::operator()(uint8_t* p) const { std::free(p); }

TBigByteArray::TBigByteArray(uint64_t count) : length_(static_cast<size_t>(count)) {
  if (count > kMaxByteArraySize) RaiseNotEnoughMemory(count);
  // calloc leaves large blocks untouched until written, so an image whose
  // data ends early costs little more than its descriptor.
  data_.reset(static_cast<uint8_t*>(std::calloc(count == 0 ? 1 : count, 1)));
  if (!data_) RaiseNotEnoughMemory(count);
}

void TBigByteArray::CheckIndex(size_t index) const {
  if (index < 1 || index > length_) RaiseIndexOutOfBounds();
}

uint8_t TBigByteArray::Get(size_t index) const {
  CheckIndex(index);
  return data_.get()[index - 1];
}

void TBigByteArray::Set(size_t index, uint8_t value) {
  CheckIndex(index);
  data_.get()[index - 1] = value;
}

TByteArray2D::TByteArray2D(uint32_t columns, uint32_t rows)
    : storage_(uint64_t{columns} * rows), columns_(columns), rows_(rows) {}

void TByteArray2D::CheckRow(uint32_t row) const {
  if (row < 1 || row > rows_) RaiseIndexOutOfBounds();
}

TBigByteArray TByteArray2D::GetRow(uint32_t row) const {
  CheckRow(row);
  TBigByteArray copy(columns_);
  if (columns_ > 0) std::memcpy(copy.Data(), storage_.Data() + size_t{row - 1} * columns_, columns_);
  return copy;
}

void TByteArray2D::SetRow(uint32_t row, const TBigByteArray& values) {
  if (values.Length() != columns_)
    throw Exception("Row doesn't have equal number of elements as Matrix row");
  CheckRow(row);
  if (columns_ > 0) std::memcpy(storage_.Data() + size_t{row - 1} * columns_, values.Data(), columns_);
}

}  // namespace orv
