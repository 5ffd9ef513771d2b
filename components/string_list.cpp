#include "components/string_list.h"

#include <algorithm>
#include <numeric>

#include "components/errors.h"
#include "platform/paths.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

// Comparisons of a sort between two looks at a script run's limits.
constexpr uint32_t kComparisonsPerCheck = 1u << 16;

}  // namespace

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  if (!case_sensitive_) return CompareTextAscii(a, b);
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void TStringList::SetUpdateState(bool updating) {
  if (!updating) Changed();
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(*this);
}

void TStringList::CheckUnsorted() const {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
}

void TStringList::CheckGrowth(size_t added, size_t removed) const {
  if (added > kMaxBytes || bytes_ - removed > kMaxBytes - added)
    throw EStringListError("String list larger than 256 MiB");
  ReserveRunMemory(added);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return std::string(items_[static_cast<size_t>(index)].text.View());
}

std::string_view TStringList::View(int index, std::string&) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text.View();
}

SharedText TStringList::GetShared(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return ObjectFromHandle(items_[static_cast<size_t>(index)].object);
}

void TStringList::Put(int index, std::string_view s) { PutLine(index, s, nullptr); }

void TStringList::PutShared(int index, SharedText s) { PutLine(index, s.View(), &s); }

void TStringList::CheckOrderAt(int index, std::string_view s) const {
  // The new text must keep the order with both neighbours.
  int low = duplicates_ == dupAccept ? 0 : 1;
  bool after_previous = index == 0 || CompareStrings(s, items_[index - 1].text.View()) >= low;
  bool before_next = index + 1 == Count() || CompareStrings(items_[index + 1].text.View(), s) >= low;
  if (!after_previous || !before_next) CheckUnsorted();
}

void TStringList::PutLine(int index, std::string_view s, SharedText* shared) {
  CheckIndex(index);
  if (sorted_) CheckOrderAt(index, s);
  SharedText& text = items_[static_cast<size_t>(index)].text;
  CheckGrowth(s.size(), text.size());
  bytes_ = bytes_ - text.size() + s.size();
  text = shared ? std::move(*shared) : SharedText(s);
  Changed();
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].object = object ? object->Handle() : 0;
  Changed();
}

void TStringList::InsertItem(int index, std::string_view s, SharedText* shared) {
  CheckGrowth(sizeof(Item) + s.size(), 0);
  items_.insert(items_.begin() + index, Item{shared ? std::move(*shared) : SharedText(s), 0});
  bytes_ += sizeof(Item) + s.size();
  Changed();
}

int TStringList::Add(std::string_view s) { return AddLine(s, nullptr); }

int TStringList::AddShared(SharedText s) { return AddLine(s.View(), &s); }

int TStringList::AddLine(std::string_view s, SharedText* shared) {
  if (!sorted_) {
    InsertItem(Count(), s, shared);
    return Count() - 1;
  }
  int index = 0;
  if (Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
    while (index < Count() && CompareStrings(items_[index].text.View(), s) == 0) ++index;
  }
  InsertItem(index, s, shared);
  return index;
}

void TStringList::Insert(int index, std::string_view s) {
  CheckUnsorted();
  CheckIndex(index, true);
  InsertItem(index, s, nullptr);
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  bytes_ -= sizeof(Item) + items_[static_cast<size_t>(index)].text.size();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  bytes_ = 0;
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckUnsorted();
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
  Changed();
}

void TStringList::Move(int cur_index, int new_index) {
  CheckUnsorted();
  TStrings::Move(cur_index, new_index);
}

int TStringList::IndexOf(std::string_view s) const {
  if (sorted_) {
    int index = 0;
    return Find(s, index) ? index : -1;
  }
  // Lines equal under either comparison have the same length, which passes
  // over most lines at once.
  for (size_t i = 0; i < items_.size(); ++i) {
    const std::string_view line = items_[i].text.View();
    if (case_sensitive_ ? line == s : SameText(line, s)) return static_cast<int>(i);
  }
  return -1;
}

bool TStringList::Find(std::string_view s, int& index) const {
  auto it = std::lower_bound(items_.begin(), items_.end(), s, [&](const Item& item, std::string_view key) {
    return CompareStrings(item.text.View(), key) < 0;
  });
  index = static_cast<int>(it - items_.begin());
  return it != items_.end() && CompareStrings(it->text.View(), s) == 0;
}

void TStringList::Sort() {
  // The order is worked out on positions and the run's limits are checked
  // as the comparisons add up: a sort they end leaves the list as it was.
  std::vector<size_t> order(items_.size());
  std::iota(order.begin(), order.end(), size_t{0});
  uint32_t comparisons = 0;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (++comparisons % kComparisonsPerCheck == 0) CheckRunLimits();
    return CompareStrings(items_[a].text.View(), items_[b].text.View()) < 0;
  });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (size_t index : order) sorted.push_back(std::move(items_[index]));
  items_ = std::move(sorted);
  Changed();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool case_sensitive) {
  if (case_sensitive == case_sensitive_) return;
  case_sensitive_ = case_sensitive;
  if (sorted_) Sort();
}

}  // namespace orv
