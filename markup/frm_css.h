// The style sheet dialog: the author's named text styles, kept in styles.dat
// in the data folder. Editing a control writes into the style named by the
// "Style:" drop-down; "&OK" saves the list, "&Cancel" drops the changes.
#pragma once

#include <utility>
#include <vector>

#include "controls/form.h"
#include "controls/lists.h"
#include "markup/style_sheets.h"

namespace orv {

class TEdit;
class TFontComboBox;

// "Cascading Style Sheets": ComboBox9 the style name, FontComboBox1 family,
// Edit2/ComboBox1 size and unit, Edit3/ComboBox2 line height and unit,
// ComboBox3 font style, ComboBox4 decoration, ComboBox5 alignment,
// ComboBox10 weight, Edit5/ComboBox6 indent, Edit7/ComboBox7 left margin,
// Edit8/ComboBox8 right margin, swatches Edit4 (text) and Edit6
// (background). Buttons: Button1 "&OK", Button2 "&Cancel", Button3 "&Add",
// Button4 "&Remove", Button5 and Button6 "&Change" (text, background).
class TFrmCSS : public TForm {
 public:
  explicit TFrmCSS(TComponent* owner);
  std::string ClassName() const override { return "TFrmCSS"; }

  // The styles as they stand in the dialog.
  const TCSSList& Styles() const { return styles_; }

  TComboBox* ComboBox9;
  TFontComboBox* FontComboBox1;
  TEdit* Edit2;
  TComboBox* ComboBox1;
  TEdit* Edit3;
  TComboBox* ComboBox2;
  TComboBox* ComboBox3;
  TComboBox* ComboBox4;
  TComboBox* ComboBox5;
  TComboBox* ComboBox10;
  TEdit* Edit5;
  TComboBox* ComboBox6;
  TEdit* Edit7;
  TComboBox* ComboBox7;
  TEdit* Edit8;
  TComboBox* ComboBox8;
  TEdit* Edit4;
  TEdit* Edit6;

 private:
  void BuildControls();
  void LoadStyles();
  // Shows the style named in ComboBox9, if there is one.
  void OpenStyleFromRegistry();
  // Puts the defaults of a new style into every control.
  void DoClearAll();
  // Shows `texts` in the controls.
  void ShowTexts(const TStyleSheet::TextArray& texts);
  void ControlChanged(TControl* control, size_t index);
  void ChangeColour(TEdit* swatch, size_t value_index, size_t html_index);
  void AddClick();
  void RemoveClick();
  void OkClick();

  TCSSList styles_;
  // Each style control and the number of the style text it edits.
  std::vector<std::pair<TControl*, size_t>> fields_;
  bool showing_ = false;
};

}  // namespace orv
