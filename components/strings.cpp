#include "components/strings.h"

#include <algorithm>

#include "components/errors.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/read_trace.h"

namespace orv {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Runs `change` with the list in its update state; the state ends on an error
// too, and an error of EndUpdate itself still reaches the caller.
template <class Change>
void WithUpdate(TStrings& list, Change change) {
  list.BeginUpdate();
  try {
    change();
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}

unsigned char FoldAscii(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

bool NeedsQuotes(std::string_view item) {
  if (item.empty()) return true;
  return std::any_of(item.begin(), item.end(),
                     [](char c) { return IsBlank(c) || c == ',' || c == '"'; });
}

// Reads a double-quoted item starting at text[pos] == '"'; a doubled quote
// stands for one, and an item without a closing quote runs to the end.
std::string ReadQuoted(std::string_view text, size_t& pos) {
  std::string item;
  ++pos;
  while (pos < text.size()) {
    char c = text[pos++];
    if (c == '"') {
      if (pos < text.size() && text[pos] == '"') {
        item.push_back('"');
        ++pos;
      } else {
        return item;
      }
    } else {
      item.push_back(c);
    }
  }
  return item;
}

}  // namespace

int CompareTextAscii(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = FoldAscii(a[i]), y = FoldAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const {
  return CompareTextAscii(a, b);
}

void TStrings::IndexOutOfBounds(int index) { throw ListIndexError(index); }

void TStrings::Put(int index, std::string_view s) {
  TObject* object = GetObject(index);
  Delete(index);
  InsertObject(index, s, object);
}

int TStrings::Add(std::string_view s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(std::string_view s, TObject* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, std::string_view s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& strings) {
  // Reading by index first keeps `list.AddStrings(list)` from running forever.
  int count = strings.Count();
  WithUpdate(*this, [&] {
    for (int i = 0; i < count; ++i) AddObject(strings.Get(i), strings.GetObject(i));
  });
}

void TStrings::Assign(const TPersistent* source) {
  auto* strings = dynamic_cast<const TStrings*>(source);
  if (!strings) {
    TPersistent::Assign(source);
    return;
  }
  if (strings == this) return;
  WithUpdate(*this, [&] {
    Clear();
    AddStrings(*strings);
  });
}

bool TStrings::Equals(const TStrings& strings) const {
  int count = Count();
  if (count != strings.Count()) return false;
  for (int i = 0; i < count; ++i)
    if (Get(i) != strings.Get(i)) return false;
  return true;
}

void TStrings::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::string text = Get(index1);
  TObject* object = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, text);
  PutObject(index2, object);
}

void TStrings::Move(int cur_index, int new_index) {
  if (cur_index == new_index) return;
  CheckIndex(cur_index);
  CheckIndex(new_index);
  std::string text = Get(cur_index);
  TObject* object = GetObject(cur_index);
  Delete(cur_index);
  InsertObject(new_index, text, object);
}

int TStrings::IndexOf(std::string_view s) const {
  std::string buffer;
  for (int i = 0, n = Count(); i < n; ++i)
    if (CompareStrings(View(i, buffer), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
  std::string buffer;
  for (int i = 0, n = Count(); i < n; ++i) {
    const std::string_view line = View(i, buffer);
    size_t eq = line.find('=');
    if (eq != std::string_view::npos && CompareStrings(line.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

std::string TStrings::Names(int index) const {
  std::string line = Get(index);
  size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::Values(std::string_view name) const {
  int index = IndexOfName(name);
  if (index < 0) return std::string();
  std::string line = Get(index);
  return line.substr(line.find('=') + 1);
}

void TStrings::SetValue(std::string_view name, std::string_view value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  std::string line = std::string(name) + "=" + std::string(value);
  if (index < 0)
    Add(line);
  else
    Put(index, line);
}

std::string TStrings::CommaText() const {
  std::string text;
  for (int i = 0, n = Count(); i < n; ++i) {
    if (i > 0) text.push_back(',');
    std::string item = Get(i);
    if (!NeedsQuotes(item)) {
      text += item;
      continue;
    }
    text.push_back('"');
    for (char c : item) {
      if (c == '"') text.push_back('"');
      text.push_back(c);
    }
    text.push_back('"');
  }
  return text;
}

void TStrings::SetCommaText(std::string_view text) {
  WithUpdate(*this, [&] {
    Clear();
    size_t pos = 0;
    auto skip_blanks = [&] {
      while (pos < text.size() && IsBlank(text[pos])) ++pos;
    };
    skip_blanks();
    while (pos < text.size()) {
      if (text[pos] == '"') {
        Add(ReadQuoted(text, pos));
      } else {
        size_t start = pos;
        while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != ',') ++pos;
        Add(text.substr(start, pos - start));
      }
      skip_blanks();
      if (pos < text.size() && text[pos] == ',') {
        ++pos;
        if (pos == text.size()) Add("");
        skip_blanks();
      }
    }
  });
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0, n = Count(); i < n; ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  WithUpdate(*this, [&] {
    Clear();
    for (const std::string& line : SplitLines(text)) Add(line);
  });
}

void TStrings::LoadFromFile(const std::string& path) { SetText(ReadTracedFile(path, kMaxLoadBytes)); }

void TStrings::SaveToFile(const std::string& path) const { WriteFileBytes(path, Text()); }

void TStrings::BeginUpdate() {
  if (update_count_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (update_count_ > 0 && --update_count_ == 0) SetUpdateState(false);
}

}  // namespace orv
