// TNameList: the engine's registries' container. Entries are numbered in the
// order they were first added and keep their number for the life of the list,
// so a compiled program can hold an entry's number; names are found through a
// hash index of upper-case keys, without regard to case, so that registering
// the thousands of routines of the script library at start-up takes no time
// to speak of.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/paths.h"

namespace orv {

// A name list of entries of type T.
//   TNameList<Variant> list;
//   int32_t n = list.Add("Pi", Variant(3.14));   // n == 0
//   list.Find("PI") == n;  list.At(n) ...
// Adding a name that is present keeps its number and replaces its entry (the
// later registration wins).
template <class T>
class TNameList {
 public:
  // Adds or replaces the entry for `name`; returns its number.
  int32_t Add(std::string_view name, T entry) { return Put(name, std::move(entry), true); }

  // Adds the entry for `name` unless the name is present, whose entry then
  // stays as it is; returns the name's number either way.
  int32_t Insert(std::string_view name, T entry) { return Put(name, std::move(entry), false); }

  // Room for `count` entries, so that filling the list does not rehash.
  void Reserve(size_t count) {
    by_number_.reserve(count);
    index_.reserve(count);
  }

  // The number of the entry for `name` (any case); -1 when there is none.
  int32_t Find(std::string_view name) const {
    auto it = index_.find(UpperCase(name));
    return it != index_.end() ? it->second : -1;
  }

  // True when `number` names an entry.
  bool Valid(int32_t number) const { return number >= 0 && number < static_cast<int32_t>(by_number_.size()); }
  // The entry with `number`, which must be Valid.
  T& At(int32_t number) { return by_number_[static_cast<size_t>(number)]->entry; }
  const T& At(int32_t number) const { return by_number_[static_cast<size_t>(number)]->entry; }
  // The upper-case key of the entry with `number`.
  const std::string& Key(int32_t number) const { return by_number_[static_cast<size_t>(number)]->key; }

  int32_t Count() const { return static_cast<int32_t>(by_number_.size()); }

  void Clear() {
    by_number_.clear();
    entries_.clear();
    index_.clear();
  }

 private:
  struct Slot {
    std::string key;
    T entry;
  };

  // The new entry goes in first, so that the index is searched and filled
  // by one hash of its key, which then lives in the entry; a name already
  // present takes it back out.
  int32_t Put(std::string_view name, T entry, bool replace) {
    const auto number = static_cast<int32_t>(entries_.size());
    Slot& slot = entries_.emplace_back(Slot{UpperCase(name), std::move(entry)});
    auto [found, added] = index_.try_emplace(slot.key, number);
    if (!added) {
      if (replace) entries_[static_cast<size_t>(found->second)].entry = std::move(slot.entry);
      entries_.pop_back();
      return found->second;
    }
    by_number_.push_back(&slot);
    return number;
  }

  // A deque, so that adding entries never moves the existing ones: a host
  // routine that registers others while it runs keeps its own entry (and
  // the name it was handed) in place.
  std::deque<Slot> entries_;
  // The entries by number: indexing the deque takes a division and two
  // dependent loads, and a running script looks its host routine up by
  // number at every call.
  std::vector<Slot*> by_number_;
  // Key -> number; the keys are views of the entries' own keys.
  std::unordered_map<std::string_view, int32_t> index_;
};

}  // namespace orv
