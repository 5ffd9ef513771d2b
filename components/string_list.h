// TStringList: the stand-alone list of text lines with objects, optionally
// kept sorted with a choice of what happens to duplicates.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "components/strings.h"

namespace orv {

// What a sorted string list does when a line equal to one it holds is added.
enum TDuplicates : int32_t {
  dupIgnore = 0,  // the line is not added; Add returns the existing index
  dupAccept = 1,  // the line is added after its equals
  dupError = 2,   // EStringListError "String list does not allow duplicates"
};

// A list of lines in memory. The objects attached to lines are not owned:
// the list keeps their handles, so a line whose object was destroyed reads
// as holding none rather than a dangling pointer.
//
// A sorted list keeps its order at all times: Insert, Exchange and Move
// raise EStringListError "Operation not allowed on sorted list", and so does
// replacing a line (Put) by a text that belongs elsewhere. Duplicates apply
// to sorted lists only; an unsorted list takes every line.
//
// A list holds at most kMaxBytes (its texts plus a line's own bookkeeping
// each); a change that would make it larger raises EStringListError "String
// list larger than 256 MiB", so a script that grows a list without end fails
// instead of taking all the machine's memory.
class TStringList : public TStrings {
 public:
  static constexpr size_t kMaxBytes = size_t{256} << 20;

  TStringList() = default;

  std::string ClassName() const override { return "TStringList"; }
  size_t InstanceSize() const override { return sizeof(TStringList); }
  void CleanupInstance() override { Clear(); }

  int Count() const final { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  std::string_view View(int index, std::string& buffer) const override;
  SharedText GetShared(int index) const override;
  TObject* GetObject(int index) const override;
  void Put(int index, std::string_view s) override;
  void PutObject(int index, TObject* object) override;
  int Add(std::string_view s) override;
  void PutShared(int index, SharedText s) override;
  int AddShared(SharedText s) override;
  void Insert(int index, std::string_view s) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  void Move(int cur_index, int new_index) override;
  int IndexOf(std::string_view s) const override;

  // Binary search of a sorted list: true when `s` is there; `index` receives
  // the position of its first occurrence, or the position where it belongs.
  bool Find(std::string_view s, int& index) const;
  // Sorts the lines (a stable sort, so equal lines keep their order).
  void Sort();

  bool Sorted() const { return sorted_; }
  // Turning sorting on sorts the list at once.
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool CaseSensitive() const { return case_sensitive_; }
  // Lines compare without ASCII letter case unless this is set; a sorted
  // list is sorted again when it changes.
  void SetCaseSensitive(bool case_sensitive);

  // Called after every change, or once at the EndUpdate that ends a batch.
  std::function<void(TStringList&)> OnChange;

 protected:
  int CompareStrings(std::string_view a, std::string_view b) const override;
  void SetUpdateState(bool updating) override;

 private:
  // A line: its text is shared with the script values and lists it was
  // handed to or taken from.
  struct Item {
    SharedText text;
    uint32_t object = 0;  // handle of the attached object, 0 for none
  };

  void Changed();
  void CheckUnsorted() const;
  // Raises the sorted list's error unless `s` in line `index` keeps the
  // order; kept out of PutLine, whose usual case is an unsorted list.
  [[gnu::noinline]] void CheckOrderAt(int index, std::string_view s) const;
  // The work of Put, Add and Insert on the text `s`; `shared` is the
  // caller's shared text holding `s`, taken instead of a copy, or null.
  void PutLine(int index, std::string_view s, SharedText* shared);
  int AddLine(std::string_view s, SharedText* shared);
  void InsertItem(int index, std::string_view s, SharedText* shared);
  // Raises the size error unless `added` more bytes fit after `removed` go,
  // and the memory error when they do not fit in a script run's budget.
  void CheckGrowth(size_t added, size_t removed) const;

  std::vector<Item> items_;
  size_t bytes_ = 0;  // counted against kMaxBytes
  bool sorted_ = false;
  bool case_sensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

}  // namespace orv
