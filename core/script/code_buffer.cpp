#include "core/script/code_buffer.h"

namespace orv {

int32_t TCodeBuffer::Hold(int32_t slot, int32_t copy) {
  holds_.push_back({code_.size(), slot, copy, false});
  return static_cast<int32_t>(holds_.size() - 1);
}

int32_t TCodeBuffer::HeldSlot(int32_t hold) const {
  const Hold_& h = holds_[static_cast<size_t>(hold)];
  return h.copied ? h.copy : h.slot;
}

void TCodeBuffer::ReleaseLast() { holds_.pop_back(); }

void TCodeBuffer::CopyHeld(int32_t first) {
  // From the last hold back: a hold's place never lies after a later
  // hold's, so an insertion moves only places already dealt with.
  for (size_t i = holds_.size(); i-- > static_cast<size_t>(first);) {
    Hold_& h = holds_[i];
    if (h.copied) continue;
    const size_t position = h.at < positions_.size() ? positions_[h.at] : (positions_.empty() ? 0 : positions_.back());
    code_.insert(code_.begin() + static_cast<std::ptrdiff_t>(h.at), TProgItem{opMove, h.copy, h.slot, 0});
    positions_.insert(positions_.begin() + static_cast<std::ptrdiff_t>(h.at), position);
    h.copied = true;
  }
}

}  // namespace orv
