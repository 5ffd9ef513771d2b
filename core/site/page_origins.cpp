#include "core/site/page_origins.h"

#include <algorithm>

#include "platform/files.h"

namespace orv {

void PageOrigins::Start(const std::string& path, const std::string& text) {
  edits_.clear();
  files_.assign(1, path);
  file_index_.clear();
  page_text_ = text;
  file_texts_.clear();
  markup_at_ = 0;
  source_ = kBrought;
  variable_ = kNone;
}

void PageOrigins::TakeFileText(const std::string& path) {
  auto [known, added] = file_index_.try_emplace(path, static_cast<int32_t>(files_.size()));
  if (added) files_.push_back(path);
  source_ = known->second;
}

void PageOrigins::TakeVariableValue(const std::string& name) {
  auto [known, added] = variable_index_.try_emplace(&name, static_cast<int32_t>(variables_.size()));
  if (added) variables_.push_back(&name);
  variable_ = known->second;
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
      edits_.push_back(Edit{i + grown, 1, 2, kBrought, kNone});
      ++grown;
    }
  }
  if (!text.empty() && text.back() != '\r' && text.back() != '\n')
    edits_.push_back(Edit{text.size() + grown, 0, 2, kBrought, kNone});
  NormalizeLineText(text);
}

template <class Enter>
size_t PageOrigins::WalkBack(size_t at, Enter enter) const {
  size_t x = at;
  for (size_t i = edits_.size(); i-- > 0;) {
    const Edit& edit = edits_[i];
    if (x < edit.at) continue;
    if (x >= edit.at + edit.inserted) {
      x = x - edit.inserted + edit.removed;
      continue;
    }
    enter(edit, x - edit.at);
    x = edit.at;
  }
  return x;
}

std::vector<SourcePlace> PageOrigins::Locate(size_t at) const {
  // The places found so far, innermost first, by file and offset; lines are
  // counted only for the places kept.
  struct Found {
    int32_t source;
    size_t offset;
    bool written;
  };
  std::vector<Found> found;
  auto add = [this, &found](int32_t source, size_t offset, bool written) {
    // A file met again further out: the part in between is a loop. The
    // place holding the problem stays first; a place already in the chain
    // stands for this one too.
    const std::string& path = files_[static_cast<size_t>(source)];
    for (size_t k = 0; k < found.size(); ++k)
      if (files_[static_cast<size_t>(found[k].source)] == path) {
        found.resize(k + 1);
        return;
      }
    found.push_back(Found{source, offset, written});
  };
  bool written = true;
  size_t x = WalkBack(at, [&](const Edit& edit, size_t offset) {
    if (edit.source != kBrought) {
      add(edit.source, offset, written);
      written = true;
    } else {
      written = false;
    }
  });
  add(0, x, written);
  std::vector<SourcePlace> places;
  places.reserve(found.size());
  for (const Found& place : found)
    places.push_back(SourcePlace{files_[static_cast<size_t>(place.source)], LineIn(place.source, place.offset),
                                 place.written});
  return places;
}

std::vector<std::string> PageOrigins::Enclosing(size_t at, size_t& steps) const {
  std::vector<std::string> enclosing;
  steps += edits_.size();
  WalkBack(at, [&](const Edit& edit, size_t) {
    if (edit.source != kBrought)
      enclosing.push_back("&" + files_[static_cast<size_t>(edit.source)]);
    else if (edit.variable != kNone)
      enclosing.push_back("%" + *variables_[static_cast<size_t>(edit.variable)]);
  });
  return enclosing;
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
