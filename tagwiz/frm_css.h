// The style sheet dialog: the author's named text styles, kept in styles.dat
// in the data folder. Editing a control writes into the style named by the
// "Style:" drop-down; "&OK" saves the list, "&Cancel" drops the changes.
#pragma once

#include <utility>
#include <vector>

#include "controls/form.h"
#include "tagwiz/style_sheets.h"

namespace orv {

class TComboBox;
class TEdit;
class TFontComboBox;

// "Cascading Style Sheets" (frm_css.dfm): ComboBox9 the style name, FontComboBox1 family,
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

  TComboBox* ComboBox9 = nullptr;
  TFontComboBox* FontComboBox1 = nullptr;
  TEdit* Edit2 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TEdit* Edit3 = nullptr;
  TComboBox* ComboBox2 = nullptr;
  TComboBox* ComboBox3 = nullptr;
  TComboBox* ComboBox4 = nullptr;
  TComboBox* ComboBox5 = nullptr;
  TComboBox* ComboBox10 = nullptr;
  TEdit* Edit5 = nullptr;
  TComboBox* ComboBox6 = nullptr;
  TEdit* Edit7 = nullptr;
  TComboBox* ComboBox7 = nullptr;
  TEdit* Edit8 = nullptr;
  TComboBox* ComboBox8 = nullptr;
  TEdit* Edit4 = nullptr;
  TEdit* Edit6 = nullptr;

 private:
  void LoadStyles();
  // Shows the style named in ComboBox9, if there is one.
  void OpenStyleFromRegistry();
  // Puts the defaults of a new style into every control.
  void DoClearAll();
  // Shows `texts` in the controls.
  void ShowTexts(const TStyleSheet::TextArray& texts);
  void ChangeColour(TEdit* swatch, size_t value_index, size_t html_index);
  void ComboBox9Change(TObject* sender);
  // A style control changed: its text goes into the style being edited.
  void StyleFieldChange(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void Button5Click(TObject* sender);
  void Button6Click(TObject* sender);
  void Button1Click(TObject* sender);

  TCSSList styles_;
  // Each style control and the number of the style text it edits.
  std::vector<std::pair<TControl*, size_t>> fields_;
  bool showing_ = false;
};

}  // namespace orv
