// TNameList: the engine's registries' container. Entries are numbered in the
// order they were first added and keep their number for the life of the list,
// so a compiled program can hold an entry's number; names are found through a
// sorted index of upper-case keys by binary search, without regard to case.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
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
  int32_t Add(std::string_view name, T entry) {
    std::string key = UpperCase(name);
    auto it = LowerBound(key);
    if (it != index_.end() && it->first == key) {
      entries_[it->second].entry = std::move(entry);
      return it->second;
    }
    int32_t number = static_cast<int32_t>(entries_.size());
    entries_.push_back({key, std::move(entry)});
    index_.insert(it, {std::move(key), number});
    return number;
  }

  // The number of the entry for `name` (any case); -1 when there is none.
  int32_t Find(std::string_view name) const {
    std::string key = UpperCase(name);
    auto it = LowerBound(key);
    return it != index_.end() && it->first == key ? it->second : -1;
  }

  // True when `number` names an entry.
  bool Valid(int32_t number) const {
    return number >= 0 && number < static_cast<int32_t>(entries_.size());
  }
  // The entry with `number`, which must be Valid.
  T& At(int32_t number) { return entries_[number].entry; }
  const T& At(int32_t number) const { return entries_[number].entry; }
  // The upper-case key of the entry with `number`.
  const std::string& Key(int32_t number) const { return entries_[number].key; }

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

  void Clear() {
    entries_.clear();
    index_.clear();
  }

 private:
  struct Slot {
    std::string key;
    T entry;
  };
  using IndexEntry = std::pair<std::string, int32_t>;

  typename std::vector<IndexEntry>::const_iterator LowerBound(const std::string& key) const {
    return std::lower_bound(index_.begin(), index_.end(), key,
                            [](const IndexEntry& e, const std::string& k) { return e.first < k; });
  }
  typename std::vector<IndexEntry>::iterator LowerBound(const std::string& key) {
    return std::lower_bound(index_.begin(), index_.end(), key,
                            [](const IndexEntry& e, const std::string& k) { return e.first < k; });
  }

  // A deque, so that adding entries never moves the existing ones: a host
  // routine that registers others while it runs keeps its own entry (and
  // the name it was handed) in place.
  std::deque<Slot> entries_;
  std::vector<IndexEntry> index_;  // sorted by key
};

}  // namespace orv
