// TStrings: the abstract list of text lines, each with an optional object,
// that string lists, memo lines and list-box items share. It offers the line
// operations built on a few primitives a concrete list supplies: name=value
// lines, the comma text and the joined text, searching, moving, loading and
// saving.
#pragma once

#include <string>
#include <string_view>

#include "components/persistent.h"
#include "platform/shared_text.h"

namespace orv {

// An ordered list of lines with an object attached to each.
//
// Texts are bytes. Lines are compared without ASCII letter case unless a
// subclass says otherwise (TStringList::SetCaseSensitive). Text joins lines
// with CR LF; setting it splits at CR LF, LF or a lone CR. Every index outside
// 0..Count-1 raises EListError "List index out of bounds (i)".
class TStrings : public TPersistent {
 public:
  std::string ClassName() const override { return "TStrings"; }
  size_t InstanceSize() const override { return sizeof(TStrings); }

  // The primitives of a concrete list.
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  // Get without a copy where the list keeps its lines: a view of line
  // `index`, valid until the list changes; other lists copy the line into
  // `buffer`, which the view then shows.
  virtual std::string_view View(int index, std::string& buffer) const {
    buffer = Get(index);
    return buffer;
  }
  // Line `index` as a text to keep: shared with the list where the list
  // keeps its lines as shared texts (so neither copies the bytes), a copy
  // otherwise. Changing either side later never shows in the other.
  virtual SharedText GetShared(int index) const {
    std::string buffer;
    return SharedText(View(index, buffer));
  }
  virtual TObject* GetObject(int index) const = 0;
  virtual void Insert(int index, std::string_view s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  // Put and PutObject replace the line, respectively the object, at `index`.
  virtual void Put(int index, std::string_view s);
  virtual void PutObject(int index, TObject* object) = 0;
  // Put and Add of a text the caller shares: a list that keeps shared
  // texts takes a share instead of a copy.
  virtual void PutShared(int index, SharedText s) { Put(index, s.View()); }
  virtual int AddShared(SharedText s) { return Add(s.View()); }

  // Adds a line at the end (or at its sorted place) and returns its index.
  virtual int Add(std::string_view s);
  int AddObject(std::string_view s, TObject* object);
  void Append(std::string_view s) { Add(s); }
  void InsertObject(int index, std::string_view s, TObject* object);
  // Adds every line of `strings` with its object.
  void AddStrings(const TStrings& strings);
  // Copies the lines and objects of another TStrings; other classes as TPersistent.
  void Assign(const TPersistent* source) override;
  // True when both lists hold the same lines in the same order (exact bytes).
  bool Equals(const TStrings& strings) const;

  // Swaps two lines with their objects.
  virtual void Exchange(int index1, int index2);
  // Moves the line (and its object) at `cur_index` to `new_index`.
  virtual void Move(int cur_index, int new_index);

  // Index of the first line equal to `s`, -1 if none.
  virtual int IndexOf(std::string_view s) const;
  // Index of the first name=value line whose name is `name`, -1 if none.
  int IndexOfName(std::string_view name) const;
  // Index of the first line holding `object`, -1 if none.
  int IndexOfObject(const TObject* object) const;

  // The part of line `index` before its first "=" ("" when it has none).
  std::string Names(int index) const;
  // The part after the "=" of the first line named `name` ("" if none).
  std::string Values(std::string_view name) const;
  // Sets the value of `name`: replaces its line, appends "name=value" when
  // there is none, and deletes the line when `value` is empty.
  void SetValue(std::string_view name, std::string_view value);

  // The lines separated by commas; a line that is empty or holds a blank, a
  // control character, a comma or a double quote is written in double quotes
  // with its quotes doubled.
  std::string CommaText() const;
  // Replaces the lines by the items of `text`: items are separated by commas
  // and by blanks; a double-quoted item may hold both (a doubled quote stands
  // for one quote).
  void SetCommaText(std::string_view text);

  // Every line followed by CR LF.
  std::string Text() const;
  // Replaces the lines by those of `text`; a final line break ends the last
  // line rather than starting an empty one.
  void SetText(std::string_view text);

  // Reads the lines of the regular file `path`, of at most kMaxLoadBytes
  // bytes (EInOutError "Cannot open file ..." or "Cannot read file ...";
  // devices such as /dev/zero and pipes are refused, not read). The read is
  // reported to the thread's read trace (platform/read_trace.h).
  static constexpr size_t kMaxLoadBytes = size_t{256} << 20;
  void LoadFromFile(const std::string& path);
  // Writes Text to the file, replacing it (EInOutError "Cannot create file ...").
  void SaveToFile(const std::string& path) const;

  // Updates between BeginUpdate and the matching EndUpdate are gathered;
  // SetUpdateState tells a subclass when the gathering starts and ends.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

 protected:
  virtual void SetUpdateState(bool /*updating*/) {}
  // Compares two lines as IndexOf and the name lookups do: <0, 0 or >0.
  virtual int CompareStrings(std::string_view a, std::string_view b) const;
  // EListError for an index outside 0..Count-1 (`allow_end` admits Count).
  // Inline, so that a list whose Count is final checks an index with a
  // comparison.
  void CheckIndex(int index, bool allow_end = false) const {
    if (index < 0 || index > Count() - (allow_end ? 0 : 1)) [[unlikely]] IndexOutOfBounds(index);
  }

 private:
  [[noreturn]] static void IndexOutOfBounds(int index);

  int update_count_ = 0;
};

// Compares two texts byte by byte with ASCII letters folded to upper case.
int CompareTextAscii(std::string_view a, std::string_view b);

}  // namespace orv
