#include "core/site/page_origins.h"

#include <algorithm>

#include "platform/files.h"

namespace orv {

void PageOrigins::Start(const std::string& path, const std::string& text) {
  edits_.clear();
  files_.assign(1, path);
  page_text_ = text;
  file_texts_.clear();
  markup_at_ = 0;
  source_ = kBrought;
}

void PageOrigins::TakeFileText(const std::string& path) {
  // A page includes few distinct files, often the same one many times.
  for (size_t i = files_.size(); i-- > 1;)
    if (files_[i] == path) {
      source_ = static_cast<int32_t>(i);
      return;
    }
  files_.push_back(path);
  source_ = static_cast<int32_t>(files_.size() - 1);
}

void PageOrigins::Normalize(std::string& text) {
  if (IsNormalLineText(text)) return;
  // NormalizeLineText ends every line with CR LF: a lone CR or LF becomes
  // two characters, and a last line without a break gets one.
  size_t grown = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
    } else if (text[i] == '\r' || text[i] == '\n') {
      edits_.push_back(Edit{i + grown, 1, 2, kBrought});
      ++grown;
    }
  }
  if (!text.empty() && text.back() != '\r' && text.back() != '\n')
    edits_.push_back(Edit{text.size() + grown, 0, 2, kBrought});
  NormalizeLineText(text);
}

std::vector<SourcePlace> PageOrigins::Locate(size_t at) const {
  std::vector<SourcePlace> places;
  size_t x = at;
  bool written = true;
  for (size_t i = edits_.size(); i-- > 0;) {
    const Edit& edit = edits_[i];
    if (x < edit.at) continue;
    if (x >= edit.at + edit.inserted) {
      x = x - edit.inserted + edit.removed;
      continue;
    }
    if (edit.source != kBrought) {
      places.push_back(SourcePlace{files_[static_cast<size_t>(edit.source)], LineIn(edit.source, x - edit.at),
                                   written});
      written = true;
    } else {
      written = false;
    }
    x = edit.at;
  }
  places.push_back(SourcePlace{files_[0], LineIn(0, x), written});
  return places;
}

int PageOrigins::LineIn(int32_t index, size_t offset) const {
  const std::string* text = &page_text_;
  if (index != 0) {
    auto found = file_texts_.find(index);
    if (found == file_texts_.end()) {
      std::string bytes;
      ReadRegularFile(files_[static_cast<size_t>(index)], bytes);
      NormalizeLineText(bytes);
      found = file_texts_.emplace(index, std::move(bytes)).first;
    }
    text = &found->second;
  }
  offset = std::min(offset, text->size());
  return 1 + static_cast<int>(std::count(text->begin(), text->begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

}  // namespace orv
