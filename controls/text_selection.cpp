#include "controls/text_selection.h"

#include <QLineEdit>
#include <algorithm>

#include "controls/qt_text.h"

namespace orv {

int TextSelection::Start(const QLineEdit* line) const {
  if (!line) return start_;
  return line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
}

void TextSelection::SetStart(QLineEdit* line, const std::string& text, int start) {
  start_ = std::clamp(start, 0, static_cast<int>(text.size()));
  length_ = 0;
  if (line) line->setCursorPosition(start_);
}

int TextSelection::Length(const QLineEdit* line) const {
  return line ? static_cast<int>(line->selectedText().size()) : length_;
}

void TextSelection::SetLength(QLineEdit* line, const std::string& text, int length) {
  start_ = std::clamp(Start(line), 0, static_cast<int>(text.size()));
  length_ = std::clamp(length, 0, static_cast<int>(text.size()) - start_);
  if (line) line->setSelection(start_, length_);
}

std::string TextSelection::Selected(const QLineEdit* line, const std::string& text) const {
  if (line) return FromQString(line->selectedText());
  const size_t start = std::min(static_cast<size_t>(start_), text.size());
  return text.substr(start, static_cast<size_t>(length_));
}

void TextSelection::SelectAll(QLineEdit* line, const std::string& text) {
  start_ = 0;
  length_ = static_cast<int>(text.size());
  if (line) line->selectAll();
}

bool TextSelection::Replace(QLineEdit* line, std::string& text, std::string_view insert) {
  if (line) {
    line->insert(ToQString(insert));
    return false;
  }
  const size_t start = std::min(static_cast<size_t>(start_), text.size());
  text.replace(start, static_cast<size_t>(length_), insert);
  start_ = static_cast<int>(start + insert.size());
  length_ = 0;
  return true;
}

void TextSelection::CaretAtEnd(const std::string& text) {
  start_ = static_cast<int>(text.size());
  length_ = 0;
}

void TextSelection::ShowIn(QLineEdit& line) const {
  if (length_ > 0) line.setSelection(start_, length_);
  else line.setCursorPosition(start_);
}

}  // namespace orv
