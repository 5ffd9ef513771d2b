// Find and Replace: a small window that stays open beside the document and
// searches the current document (plain text or a regular expression, with
// or without case, whole words), replacing one match or all of them as one
// undo step.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace orv::edit {

class Document;

// The "Find and Replace" window.
class FindDialog : public QDialog {
  Q_OBJECT

 public:
  // `current` gives the document to search when a button is pressed.
  FindDialog(std::function<Document*()> current, QWidget* parent);

  // Shows the window with the replace row or without it, the selection (a
  // single line) as the text to find.
  void Open(bool replace);
  // Finds the next (or previous) match from the caret; false when none.
  bool FindNext(bool forward = true);
  // Replaces the selected match and finds the next; every match at once.
  void ReplaceOne();
  int ReplaceAll();

 private:
  bool Search(Document* document, bool forward, bool wrap, int line, int index);
  void Say(const QString& text);

  std::function<Document*()> current_;
  QLineEdit* find_;
  QLineEdit* replace_;
  QLabel* replace_label_;
  QCheckBox* match_case_;
  QCheckBox* whole_words_;
  QCheckBox* regular_expression_;
  QWidget* replace_buttons_;
  QLabel* result_;
};

}  // namespace orv::edit
