#include "tagwiz/style_sheets.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/record_file.h"

namespace orv {

TStyleSheet::TStyleSheet(TCSSList& owner) : owner_(owner) { owner.items_.push_back(this); }

TStyleSheet::~TStyleSheet() {
  auto& items = owner_.items_;
  items.erase(std::find(items.begin(), items.end(), this));
}

TStyleSheet::TextArray TStyleSheet::Defaults(const std::string& name) {
  return {name, "", "Arial", "9", "pt", "9", "pt", "None", "None", "Left", "None",
           "0", "pt", "0", "pt", "0", "pt", "0", "#000000", "16777215", "#FFFFFF"};
}

TCSSList::~TCSSList() { Clear(); }

TStyleSheet* TCSSList::FindStyle(const std::string& name) const {
  for (TStyleSheet* style : items_)
    if (style->Texts[TStyleSheet::kName] == name) return style;
  return nullptr;
}

void TCSSList::RemoveStyle(const std::string& name) { delete FindStyle(name); }

void TCSSList::Clear() {
  while (!items_.empty()) delete items_.back();
}

void TCSSList::LoadFromBytes(const std::string& bytes, const std::string& path) {
  RecordReader reader(bytes, "Style", path);
  // Every style needs at least the lengths of its texts.
  const int32_t count = reader.Count(4 * TStyleSheet::kTextCount);
  std::vector<std::array<std::string, TStyleSheet::kTextCount>> styles(static_cast<size_t>(count));
  for (auto& texts : styles)
    for (std::string& text : texts) text = reader.Text();
  Clear();
  for (auto& texts : styles) (new TStyleSheet(*this))->Texts = std::move(texts);
}

std::string TCSSList::SaveToBytes() const {
  std::string out;
  PutInt32(out, static_cast<uint32_t>(items_.size()));
  for (const TStyleSheet* style : items_)
    for (const std::string& text : style->Texts) PutText(out, text);
  return out;
}

void TCSSList::LoadFromFile(const std::string& path) { LoadFromBytes(ReadFileBytes(path), path); }

void TCSSList::SaveToFile(const std::string& path) const {
  if (!WriteFileAtomic(path, SaveToBytes()))
    throw EInOutError("Cannot create file \"" + path + "\". " + std::strerror(errno));
}

}  // namespace orv
