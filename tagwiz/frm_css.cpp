#include "tagwiz/frm_css.h"

#include "components/form_resource.h"
#include "controls/dialogs.h"
#include "controls/edits.h"
#include "controls/font_combo.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/integer_text.h"
#include "platform/message_service.h"
#include "tagwiz/colour_picker.h"

namespace orv {
namespace {

std::string StylesPath() { return DataDir() + "styles.dat"; }

}  // namespace

TFrmCSS::TFrmCSS(TComponent* owner) : TForm(owner) {
  ReadFormResource(*this, {Field("ComboBox9", &TFrmCSS::ComboBox9),
                           Field("FontComboBox1", &TFrmCSS::FontComboBox1),
                           Field("Edit2", &TFrmCSS::Edit2),
                           Field("ComboBox1", &TFrmCSS::ComboBox1),
                           Field("Edit3", &TFrmCSS::Edit3),
                           Field("ComboBox2", &TFrmCSS::ComboBox2),
                           Field("ComboBox3", &TFrmCSS::ComboBox3),
                           Field("ComboBox4", &TFrmCSS::ComboBox4),
                           Field("ComboBox5", &TFrmCSS::ComboBox5),
                           Field("ComboBox10", &TFrmCSS::ComboBox10),
                           Field("Edit5", &TFrmCSS::Edit5),
                           Field("ComboBox6", &TFrmCSS::ComboBox6),
                           Field("Edit7", &TFrmCSS::Edit7),
                           Field("ComboBox7", &TFrmCSS::ComboBox7),
                           Field("Edit8", &TFrmCSS::Edit8),
                           Field("ComboBox8", &TFrmCSS::ComboBox8),
                           Field("Edit4", &TFrmCSS::Edit4),
                           Field("Edit6", &TFrmCSS::Edit6),
                           Handler("ComboBox9Change", &TFrmCSS::ComboBox9Change),
                           Handler("StyleFieldChange", &TFrmCSS::StyleFieldChange),
                           Handler("Button3Click", &TFrmCSS::Button3Click),
                           Handler("Button4Click", &TFrmCSS::Button4Click),
                           Handler("Button5Click", &TFrmCSS::Button5Click),
                           Handler("Button6Click", &TFrmCSS::Button6Click),
                           Handler("Button1Click", &TFrmCSS::Button1Click)});
  using S = TStyleSheet;
  fields_ = {{FontComboBox1, S::kFamily},
             {Edit2, S::kSize},
             {ComboBox1, S::kSizeUnit},
             {Edit3, S::kLineHeight},
             {ComboBox2, S::kLineHeightUnit},
             {ComboBox3, S::kFontStyle},
             {ComboBox4, S::kDecoration},
             {ComboBox5, S::kAlign},
             {Edit5, S::kIndent},
             {ComboBox6, S::kIndentUnit},
             {Edit7, S::kLeftMargin},
             {ComboBox7, S::kLeftMarginUnit},
             {Edit8, S::kRightMargin},
             {ComboBox8, S::kRightMarginUnit},
             {ComboBox10, S::kWeight}};
  DoClearAll();
  LoadStyles();
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

void TFrmCSS::ComboBox9Change(TObject*) { OpenStyleFromRegistry(); }

void TFrmCSS::StyleFieldChange(TObject* sender) {
  if (showing_) return;
  TStyleSheet* style = styles_.FindStyle(ComboBox9->Text());
  if (!style) return;
  for (auto& [control, index] : fields_)
    if (control == sender) style->Texts[index] = control->Text();
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

void TFrmCSS::Button3Click(TObject*) {
  std::string name;
  if (!InputQuery("Add Style", "Enter Style Name:", name)) return;
  ComboBox9->Items()->Add(name);
  ComboBox9->SetText(name);
  (new TStyleSheet(styles_))->SetDefaults(name);
  DoClearAll();
}

void TFrmCSS::Button4Click(TObject*) {
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

void TFrmCSS::Button5Click(TObject*) { ChangeColour(Edit4, TStyleSheet::kTextColor, TStyleSheet::kTextHtml); }

void TFrmCSS::Button6Click(TObject*) { ChangeColour(Edit6, TStyleSheet::kBackColor, TStyleSheet::kBackHtml); }

void TFrmCSS::Button1Click(TObject*) {
  try {
    styles_.SaveToFile(StylesPath());
  } catch (const EInOutError& error) {
    ShowMessage(MessageKind::Error, "", error.what());
    return;
  }
  SetModalResult(mrOk);
}

}  // namespace orv
