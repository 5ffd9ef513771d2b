// Named text values (project variables, built-in variables, page defines, the
// environment services' tool and repository lists) and the setting-list file
// that stores such a list.
//
// Setting-list file: little-endian; a 32-bit signed count N, then N records,
// each a 32-bit length and that many bytes of the name, then a 32-bit length
// and that many bytes of the value. No header, terminator or padding.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace orv {

class TUserSettingList;

// One name/value pair; owned by the list it was added to.
class TUserSetting {
 public:
  TUserSetting(TUserSettingList& owner, std::string name, std::string value)
      : Owner(&owner), Name(std::move(name)), Value(std::move(value)) {}

  TUserSettingList* Owner;
  std::string Name;
  std::string Value;
};

// An ordered list that owns its items. Items keep their address while they are
// in the list, so a caller may hold a pointer returned by Find or Add until the
// item is deleted or the list is cleared.
class TUserSettingList {
 public:
  TUserSettingList() = default;
  TUserSettingList(const TUserSettingList&) = delete;
  TUserSettingList& operator=(const TUserSettingList&) = delete;

  // Appends a new item and returns it.
  TUserSetting& Add(std::string name = {}, std::string value = {});

  // The first item whose Name equals `name` byte for byte (case-sensitive),
  // or null.
  TUserSetting* Find(const std::string& name) const;

  // Removes and frees the first item named exactly `name`; nothing happens
  // when there is none.
  void Delete(const std::string& name);

  int Count() const { return static_cast<int>(items_.size()); }
  TUserSetting& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }
  void Clear() {
    items_.clear();
    ++removals_;
  }

  // Counts the changes that removed items (Delete, Clear, loading): an index
  // of the items holding the same number and Count() is still valid.
  unsigned long long Removals() const { return removals_; }

  // Replaces the items with the records of a setting-list file, in file
  // order; a text that holds a zero byte is cut at it. A missing or
  // unreadable file, or one whose count or a length runs past its end, raises
  // EInOutError and leaves the list as it was.
  void LoadFromFile(const std::string& path);

  // Creates or truncates the file and writes every item in list order.
  // Raises EInOutError when the file cannot be written.
  void SaveToFile(const std::string& path) const;

  // The same two operations on the bytes of a setting-list file.
  void LoadFromBytes(const std::string& bytes, const std::string& path_for_errors);
  std::string SaveToBytes() const;

 private:
  std::vector<std::unique_ptr<TUserSetting>> items_;
  unsigned long long removals_ = 0;
};

// Keeps an index of a list (a hash index, a digest) in step with it while
// items are only added: Follow tells which items the index has not taken in
// yet, or that it must start over, the list being another one or having
// lost items since (Removals). Items are not changed in place.
class TUserSettingFollower {
 public:
  struct Step {
    bool restart;  // the index must first forget what it holds
    int first;     // it takes in the items from `first` to the list's Count()
  };
  Step Follow(const TUserSettingList& list) {
    const bool restart = list_ != &list || removals_ != list.Removals() || list.Count() < taken_;
    if (restart) {
      list_ = &list;
      removals_ = list.Removals();
      taken_ = 0;
    }
    const Step step{restart, taken_};
    taken_ = list.Count();
    return step;
  }

 private:
  const TUserSettingList* list_ = nullptr;
  unsigned long long removals_ = 0;
  int taken_ = 0;
};

}  // namespace orv
