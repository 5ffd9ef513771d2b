// TFrmModValue: "Modify Value", the small dialog that changes one value of
// a named pair (a variable's value, a tool's command). The name is shown
// read-only; the value box starts with all of its text selected.
#pragma once

#include <string>

#include "controls/edits.h"
#include "controls/lists.h"
#include "controls/form.h"

namespace orv {

// The dialog; the caller sets the labels and texts and shows it modally.
class TFrmModValue : public TForm {
 public:
  TFrmModValue();
  std::string ClassName() const override { return "TFrmModValue"; }

  TLabel* NameLabel = nullptr;   // "Variable:"
  TEdit* NameEdit = nullptr;     // read-only
  TLabel* ValueLabel = nullptr;  // "Value:"
  TEdit* ValueEdit = nullptr;
};

// Shows the dialog with the labels and texts given; true with the edited
// value in `value` when the user pressed OK.
bool ModifyValue(const std::string& name_label, const std::string& name, const std::string& value_label,
                 std::string& value);

// Opens the dialog for the first selected row of a name/value list (the
// caption as the name, the second column as the value) and stores the edited
// value on OK; then the focus returns to the list. Nothing without a selection.
void ModifySelectedRow(TListView& list, const std::string& name_label, const std::string& value_label);

}  // namespace orv
