// The instructions a compilation emits, with the source position of each,
// and the variable reads the compiler holds open: an operator whose left
// operand is a variable reads it where it is, unless code compiled between
// that operand and the operator could change the variable (a call); then a
// copy of the variable is inserted where the operand stood, and the
// operator reads the copy. So `a + b` is one instruction, and `a + F(1)`
// still adds the value a had before F ran.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/script/opcodes.h"

namespace orv {

// The code of one compilation.
class TCodeBuffer {
 public:
  size_t Size() const { return code_.size(); }
  const TProgItem& At(size_t index) const { return code_[index]; }
  TProgItem& At(size_t index) { return code_[index]; }
  TProgItem& Last() { return code_.back(); }
  // The source position of the instruction at `index`.
  size_t PositionAt(size_t index) const { return positions_[index]; }
  // Drops the instructions from `size` on; no hold may stand there.
  void Truncate(size_t size) {
    code_.resize(size);
    positions_.resize(size);
  }

  // Appends `item`, which came from source position `position`.
  void Emit(const TProgItem& item, size_t position) {
    code_.push_back(item);
    positions_.push_back(position);
  }

  // Holds the read of variable slot `slot` at the current end of the code;
  // `copy` is a temporary reserved for its copy. Returns the hold's number.
  // Holds are released in the reverse order of taking them.
  int32_t Hold(int32_t slot, int32_t copy);
  // The slot that the held read reads now: the variable's, or its copy's
  // once CopyHeld made one.
  int32_t HeldSlot(int32_t hold) const;
  // Releases the last hold.
  void ReleaseLast();
  // Makes the copies of the holds from number `first` on that have none
  // yet: each copy is inserted at the place of its read. Called before code
  // that may change variables (calls) and where a read would otherwise see
  // a variable the code after it writes first.
  void CopyHeld(int32_t first = 0);
  // The number the next hold would get.
  int32_t HoldCount() const { return static_cast<int32_t>(holds_.size()); }

  std::vector<TProgItem> TakeCode() { return std::move(code_); }
  std::vector<size_t> TakePositions() { return std::move(positions_); }

 private:
  struct Hold_ {
    size_t at;  // where the read stands in the code
    int32_t slot;
    int32_t copy;
    bool copied;
  };

  std::vector<TProgItem> code_;
  std::vector<size_t> positions_;
  std::vector<Hold_> holds_;
};

}  // namespace orv
