// A map whose keys are 64-bit content hashes (platform/content_hash.h), for
// the numbers a build keeps per page or per file by the hash of its name:
// one flat array probed in order from the key's low bits, with no
// allocation per entry and no division. The keys are uniform already, so
// they index the array as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace orv {

// Values of type V by 64-bit hash. A pointer to a value holds until the
// next insertion.
template <typename V>
class HashKeyedMap {
 public:
  // The value of `key`, and whether it was made now (from `value`).
  std::pair<V*, bool> TryEmplace(uint64_t key, V value = V()) {
    if (key == kEmpty) {
      const bool made = !empty_key_used_;
      if (made) {
        empty_key_used_ = true;
        empty_key_value_ = std::move(value);
        ++size_;
      }
      return {&empty_key_value_, made};
    }
    if ((size_ + 1) * 2 > slots_.size()) Grow();
    size_t i = Probe(key);
    if (slots_[i].key == key) return {&slots_[i].value, false};
    slots_[i] = Slot{key, std::move(value)};
    ++size_;
    return {&slots_[i].value, true};
  }

  // The value of `key`, or null.
  const V* Find(uint64_t key) const {
    if (key == kEmpty) return empty_key_used_ ? &empty_key_value_ : nullptr;
    if (slots_.empty()) return nullptr;
    const Slot& slot = slots_[Probe(key)];
    return slot.key == key ? &slot.value : nullptr;
  }
  bool Contains(uint64_t key) const { return Find(key) != nullptr; }

  size_t Size() const { return size_; }

  // Room for `count` keys without growing.
  void Reserve(size_t count) {
    while (count * 2 > slots_.size()) Grow();
  }

 private:
  // The key of an unused slot; a key equal to it is kept beside the array.
  static constexpr uint64_t kEmpty = 0;

  struct Slot {
    uint64_t key = kEmpty;
    V value{};
  };

  // The slot of `key`, or the unused one where it would go (the array is
  // never more than half full, so there is one).
  size_t Probe(uint64_t key) const {
    const size_t mask = slots_.size() - 1;
    size_t i = static_cast<size_t>(key) & mask;
    while (slots_[i].key != kEmpty && slots_[i].key != key) i = (i + 1) & mask;
    return i;
  }

  void Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_ = std::vector<Slot>(old.empty() ? 16 : old.size() * 2);
    for (Slot& slot : old)
      if (slot.key != kEmpty) slots_[Probe(slot.key)] = std::move(slot);
  }

  std::vector<Slot> slots_;
  size_t size_ = 0;
  bool empty_key_used_ = false;
  V empty_key_value_{};
};

}  // namespace orv
