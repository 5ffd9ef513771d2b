// TFrmModValue: "Modify Value" (frm_mod_value.dfm), the small dialog that
// changes one value of a named pair (a variable's value, a tool's command).
// The name is shown read-only; the value box starts with all of its text
// selected.
#pragma once

#include <string>

#include "controls/form.h"

namespace orv {

class TEdit;
class TLabel;

// The dialog; the caller sets the labels and texts and shows it modally.
class TFrmModValue : public TForm {
 public:
  TFrmModValue();
  std::string ClassName() const override { return "TFrmModValue"; }

  TLabel* Label1 = nullptr;  // "Variable:"
  TEdit* Edit1 = nullptr;    // the name, read-only
  TLabel* Label2 = nullptr;  // "Value:"
  TEdit* Edit2 = nullptr;    // the value

 private:
  void FormShow(TObject* sender);
};

// Shows the dialog with the labels and texts given; true with the edited
// value in `value` when the user pressed OK.
bool ModifyValue(const std::string& name_label, const std::string& name, const std::string& value_label,
                 std::string& value);

}  // namespace orv
