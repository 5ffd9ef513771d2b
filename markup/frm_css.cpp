#include "markup/frm_css.h"

#include "controls/dialogs.h"
#include "markup/colour_picker.h"
#include "markup/dialog_parts.h"
#include "markup/widgets/font_combo.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/integer_text.h"
#include "platform/message_service.h"

namespace orv {
namespace {

std::string StylesPath() { return DataDir() + "styles.dat"; }

// A free-text drop-down with `items`.
TComboBox* AddList(TForm& form, TWinControl& parent, const std::string& caption, const std::string& name,
                   int label_left, int left, int top, int width, std::initializer_list<const char*> items) {
  auto* list = AddField<TComboBox>(form, parent, caption, name, label_left, left, top, width);
  for (const char* item : items) list->Items()->Add(item);
  return list;
}

// A number edit and its unit drop-down beside it.
TEdit* AddMeasure(TForm& form, TWinControl& parent, const std::string& caption, const std::string& edit_name,
                  const std::string& unit_name, int label_left, int left, int top, TComboBox*& unit) {
  auto* edit = AddField<TEdit>(form, parent, caption, edit_name, label_left, left, top, 50);
  unit = Place<TComboBox>(form, parent, unit_name, left + 54, top, 56, 21);
  for (const char* item : {"pt", "in", "cm", "px"}) unit->Items()->Add(item);
  return edit;
}

TButton* AddButton(TForm& form, TWinControl& parent, const std::string& name, const std::string& caption, int left,
                   int top, std::function<void()> click) {
  auto* button = Place<TButton>(form, parent, name, left, top, 75, 25);
  button->SetCaption(caption);
  button->OnClick.code = [click = std::move(click)](TObject*, EventArgs&) { click(); };
  return button;
}

}  // namespace

TFrmCSS::TFrmCSS(TComponent* owner) : TForm(owner) {
  SetUpDialog(*this, "FrmCSS", "Cascading Style Sheets", 478, 380);
  BuildControls();
  DoClearAll();
  LoadStyles();
  SetActiveControl(ComboBox9);
}

void TFrmCSS::BuildControls() {
  ComboBox9 = AddField<TComboBox>(*this, *this, "Style:", "ComboBox9", 8, 60, 10, 180);
  ComboBox9->OnChange.code = [this](TObject*, EventArgs&) { OpenStyleFromRegistry(); };
  AddButton(*this, *this, "Button3", "&Add", 256, 8, [this] { AddClick(); });
  AddButton(*this, *this, "Button4", "&Remove", 339, 8, [this] { RemoveClick(); });

  TGroupBox* font = AddGroup(*this, *this, "Font", 8, 42, 462, 110);
  FontComboBox1 = AddField<TFontComboBox>(*this, *font, "Family:", "FontComboBox1", 10, 96, 18, 180);
  FontComboBox1->SetDevice(fdBoth);
  Edit2 = AddMeasure(*this, *font, "Size:", "Edit2", "ComboBox1", 10, 96, 46, ComboBox1);
  Edit3 = AddMeasure(*this, *font, "Line Height:", "Edit3", "ComboBox2", 230, 320, 46, ComboBox2);
  ComboBox3 = AddList(*this, *font, "Style:", "ComboBox3", 10, 96, 74, 110, {"None", "Italic"});
  ComboBox4 = AddList(*this, *font, "Decoration:", "ComboBox4", 230, 320, 74, 110,
                      {"Italic", "Underline", "Strikethrough", "None"});

  TGroupBox* paragraph = AddGroup(*this, *this, "Paragraph", 8, 158, 462, 110);
  ComboBox5 = AddList(*this, *paragraph, "Align:", "ComboBox5", 10, 96, 18, 110, {"Left", "Right", "Center"});
  ComboBox10 = AddList(*this, *paragraph, "Fontweight:", "ComboBox10", 230, 320, 18, 110, {"Bold", "None"});
  Edit5 = AddMeasure(*this, *paragraph, "Indent:", "Edit5", "ComboBox6", 10, 96, 46, ComboBox6);
  Edit7 = AddMeasure(*this, *paragraph, "Left Margin:", "Edit7", "ComboBox7", 230, 320, 46, ComboBox7);
  Edit8 = AddMeasure(*this, *paragraph, "Right Margin:", "Edit8", "ComboBox8", 10, 96, 74, ComboBox8);

  TGroupBox* colours = AddGroup(*this, *this, "Colours", 8, 274, 462, 58);
  Edit4 = AddField<TEdit>(*this, *colours, "Text:", "Edit4", 10, 96, 22, 40);
  AddButton(*this, *colours, "Button5", "&Change", 142, 20,
            [this] { ChangeColour(Edit4, TStyleSheet::kTextColor, TStyleSheet::kTextHtml); });
  Edit6 = AddField<TEdit>(*this, *colours, "Background:", "Edit6", 230, 320, 22, 40);
  AddButton(*this, *colours, "Button6", "&Change", 366, 20,
            [this] { ChangeColour(Edit6, TStyleSheet::kBackColor, TStyleSheet::kBackHtml); });
  for (TEdit* swatch : {Edit4, Edit6}) {
    swatch->SetReadOnly(true);
    swatch->SetTabStop(false);
  }
  AddOkCancel(*this, 312, 344, [this] { OkClick(); });

  using S = TStyleSheet;
  fields_ = {{FontComboBox1, S::kFamily}, {Edit2, S::kSize},          {ComboBox1, S::kSizeUnit},
             {Edit3, S::kLineHeight},     {ComboBox2, S::kLineHeightUnit}, {ComboBox3, S::kFontStyle},
             {ComboBox4, S::kDecoration}, {ComboBox5, S::kAlign},     {Edit5, S::kIndent},
             {ComboBox6, S::kIndentUnit}, {Edit7, S::kLeftMargin},    {ComboBox7, S::kLeftMarginUnit},
             {Edit8, S::kRightMargin},    {ComboBox8, S::kRightMarginUnit}, {ComboBox10, S::kWeight}};
  for (auto& [control, index] : fields_) {
    TMethod changed;
    changed.code = [this, control = control, index = index](TObject*, EventArgs&) { ControlChanged(control, index); };
    if (auto* edit = dynamic_cast<TCustomEdit*>(control)) edit->OnChange = changed;
    else static_cast<TCustomComboBox*>(control)->OnChange = changed;
  }
}

void TFrmCSS::LoadStyles() {
  // A first run has no style file yet: that is an empty list, not an error.
  if (FileExists(StylesPath())) {
    try {
      styles_.LoadFromFile(StylesPath());
    } catch (const EInOutError& error) {
      ShowMessage(MessageKind::Error, "", error.what());
    }
  }
  for (int i = 0; i < styles_.Count(); ++i) ComboBox9->Items()->Add(styles_.Items(i).Texts[TStyleSheet::kName]);
}

void TFrmCSS::ShowTexts(const TStyleSheet::TextArray& texts) {
  showing_ = true;
  struct Done {
    bool& showing;
    ~Done() { showing = false; }
  } done{showing_};
  for (auto& [control, index] : fields_) control->SetText(texts[index]);
  // Last, so that a colour that is not a number leaves the rest shown.
  Edit4->SetColor(StrToInt(texts[TStyleSheet::kTextColor]));
  Edit6->SetColor(StrToInt(texts[TStyleSheet::kBackColor]));
}

void TFrmCSS::OpenStyleFromRegistry() {
  if (const TStyleSheet* style = styles_.FindStyle(ComboBox9->Text())) ShowTexts(style->Texts);
}

void TFrmCSS::DoClearAll() { ShowTexts(TStyleSheet::Defaults("")); }

void TFrmCSS::ControlChanged(TControl* control, size_t index) {
  if (showing_) return;
  if (TStyleSheet* style = styles_.FindStyle(ComboBox9->Text())) style->Texts[index] = control->Text();
}

void TFrmCSS::ChangeColour(TEdit* swatch, size_t value_index, size_t html_index) {
  TPickedColour colour;
  try {
    if (!PickColour(colour)) return;
  } catch (const EColourPickerMissing& error) {
    ShowMessage(MessageKind::Warning, "", error.what());
    return;
  }
  swatch->SetColor(StrToInt(colour.Value));
  if (TStyleSheet* style = styles_.FindStyle(ComboBox9->Text())) {
    style->Texts[value_index] = colour.Value;
    style->Texts[html_index] = colour.Html;
  }
}

void TFrmCSS::AddClick() {
  std::string name;
  if (!InputQuery("Add Style", "Enter Style Name:", name)) return;
  ComboBox9->Items()->Add(name);
  ComboBox9->SetText(name);
  (new TStyleSheet(styles_))->SetDefaults(name);
  DoClearAll();
}

void TFrmCSS::RemoveClick() {
  const std::string name = ComboBox9->Text();
  styles_.RemoveStyle(name);
  TStringList* items = ComboBox9->Items();
  for (int i = 0; i < items->Count(); ++i)
    if (items->Get(i) == name) {
      items->Delete(i);
      break;
    }
  ComboBox9->SetText(items->Count() > 0 ? items->Get(0) : "");
  OpenStyleFromRegistry();
}

void TFrmCSS::OkClick() {
  try {
    styles_.SaveToFile(StylesPath());
  } catch (const EInOutError& error) {
    ShowMessage(MessageKind::Error, "", error.what());
    return;
  }
  SetModalResult(mrOk);
}

}  // namespace orv
