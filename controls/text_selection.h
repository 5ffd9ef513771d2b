// The selection of a one-line text editor (an edit, the edit of a combo
// box): kept by the control while its widget does not exist, so that what a
// script sets before the form is shown reads back and reaches the widget
// once it is made; read from and written to the widget's line afterwards.
// Positions count the text's bytes.
#pragma once

#include <string>
#include <string_view>

class QLineEdit;

namespace orv {

// Start and length of the selected part of a text, with the operations the
// editors offer. Each takes the editor's line (null while it has no widget)
// and its text.
class TextSelection {
 public:
  int Start(const QLineEdit* line) const;
  // Puts the caret at `start` (within the text), selecting nothing.
  void SetStart(QLineEdit* line, const std::string& text, int start);
  int Length(const QLineEdit* line) const;
  // Selects `length` characters from the start (as many as there are).
  void SetLength(QLineEdit* line, const std::string& text, int length);
  std::string Selected(const QLineEdit* line, const std::string& text) const;
  void SelectAll(QLineEdit* line, const std::string& text);
  // Replaces the selected part by `insert` and puts the caret after it. The
  // line does it itself; without one, `text` is changed and true returned.
  bool Replace(QLineEdit* line, std::string& text, std::string_view insert);
  // After the text was set by code: the caret after it, nothing selected
  // (where a line puts it too).
  void CaretAtEnd(const std::string& text);
  // Gives a line just made the selection kept so far.
  void ShowIn(QLineEdit& line) const;

 private:
  int start_ = 0;
  int length_ = 0;
};

}  // namespace orv
