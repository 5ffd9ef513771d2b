// What an insert record of the markup dialogs does to the selection: the
// text that replaces it and where the caret goes, as one edit.
#pragma once

#include <cstddef>
#include <string>

namespace orv::edit {

// The three texts of an insert record, copied while the message lasts.
struct InsertTexts {
  std::string Text;
  std::string CloseText;
  std::string WrapFlag;  // "yes" wraps the selection; "no" or "NO" replaces it
};

// The edit an insert record asks for.
struct Insertion {
  std::string Replacement;  // replaces the selection (or goes in at the caret)
  size_t Caret;             // the caret's offset in Replacement afterwards, in bytes
};

// With the wrap flag "yes" (in any case) the selection stays, between Text
// and CloseText, and with nothing selected the caret lands between them, where
// the link's description goes; the caret otherwise ends after the whole
// insertion. Any other flag replaces the selection with Text and CloseText.
Insertion ComposeInsertion(const InsertTexts& texts, const std::string& selection);

}  // namespace orv::edit
