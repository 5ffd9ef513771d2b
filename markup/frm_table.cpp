#include "markup/frm_table.h"

#include "markup/dialog_parts.h"
#include "markup/widgets/rx_spin.h"
#include "orv/host.h"
#include "platform/folders.h"
#include "platform/ini_file.h"

namespace orv {
namespace {

// A whole-number spin edit from `min` to `max` showing `value`.
TRxSpinEdit* AddSpin(TForm& form, TWinControl& parent, const std::string& caption, const std::string& name,
                     int label_left, int left, int top, int min, int max, int value) {
  auto* spin = AddField<TRxSpinEdit>(form, parent, caption, name, label_left, left, top, 56);
  spin->SetMinValue(min);
  spin->SetMaxValue(max);
  spin->SetValue(value);
  return spin;
}

template <class T>
T* AddChoice(TForm& form, TWinControl& parent, const std::string& name, const std::string& caption, int left,
             int top, int width) {
  auto* choice = Place<T>(form, parent, name, left, top, width, 17);
  choice->SetCaption(caption);
  return choice;
}

}  // namespace

TFrmTable::TFrmTable(TComponent* owner, HWND window, bool lower_case)
    : TForm(owner), window_(window), lower_case_(lower_case) {
  SetUpDialog(*this, "FrmTable", "Insert Table", 392, 330);
  PageControl1 = Place<TPageControl>(*this, *this, "PageControl1", 8, 8, 376, 282);
  auto* design = Place<TTabSheet>(*this, *PageControl1, "TabSheet1", 0, 0, 368, 254);
  design->SetCaption("&Design");
  auto* extended = Place<TTabSheet>(*this, *PageControl1, "TabSheet2", 0, 0, 368, 254);
  extended->SetCaption("&Extended");
  PageControl1->ShowPages();
  BuildDesignPage(*design);
  BuildExtendedPage(*extended);
  AddOkCancel(*this, 226, 298, [this] { Button1Click(); });
  LoadStyleNames();
  SetActiveControl(RxSpinEdit1);
}

void TFrmTable::BuildDesignPage(TTabSheet& page) {
  TGroupBox* type = AddGroup(*this, page, "&Type", 8, 6, 160, 80);
  RxSpinEdit1 = AddSpin(*this, *type, "Rows:", "RxSpinEdit1", 10, 86, 22, 1, 30, 2);
  RxSpinEdit2 = AddSpin(*this, *type, "Columns:", "RxSpinEdit2", 10, 86, 50, 1, 30, 2);

  TGroupBox* size = AddGroup(*this, page, "&Size", 176, 6, 184, 80);
  CheckBox1 = AddChoice<TCheckBox>(*this, *size, "CheckBox1", "Specify &Width", 10, 20, 120);
  CheckBox1->OnClick.code = [this](TObject*, EventArgs&) { CheckBox1Click(); };
  Edit1 = Place<TEdit>(*this, *size, "Edit1", 10, 46, 56, 21);
  Edit1->SetText("100");
  RadioButton3 = AddChoice<TRadioButton>(*this, *size, "RadioButton3", "&Percent", 80, 40, 90);
  RadioButton3->SetChecked(true);
  RadioButton4 = AddChoice<TRadioButton>(*this, *size, "RadioButton4", "Pi&xels", 80, 58, 90);
  CheckBox1Click();

  TGroupBox* layout = AddGroup(*this, page, "&Layout", 8, 92, 352, 156);
  RadioButton2 = AddChoice<TRadioButton>(*this, *layout, "RadioButton2", "&Specify Layout", 10, 20, 130);
  RadioButton2->SetChecked(true);
  RadioButton1 = AddChoice<TRadioButton>(*this, *layout, "RadioButton1", "&Use Style", 10, 46, 90);
  RadioButton1->OnClick.code = [this](TObject*, EventArgs&) { RadioButton1Click(); };
  ComboBox1 = Place<TComboBox>(*this, *layout, "ComboBox1", 110, 44, 170, 21);
  ComboBox1->SetEnabled(false);
  ComboBox1->SetColor(clBtnFace);
  ComboBox2 = AddField<TComboBox>(*this, *layout, "Alignment:", "ComboBox2", 10, 110, 72, 170);
  for (const char* align : {"(Default)", "Left", "Center", "Right"}) ComboBox2->Items()->Add(align);
  ComboBox2->SetText("(Default)");
  RxSpinEdit5 = AddSpin(*this, *layout, "Border Size", "RxSpinEdit5", 10, 110, 100, 0, 100, 0);
  RxSpinEdit3 = AddSpin(*this, *layout, "Cell Padding:", "RxSpinEdit3", 10, 110, 126, 0, 100, 0);
  RxSpinEdit4 = AddSpin(*this, *layout, "&Cell Spacing:", "RxSpinEdit4", 184, 284, 126, 0, 100, 0);
}

void TFrmTable::BuildExtendedPage(TTabSheet& page) {
  TEdit** edits[] = {&Edit2, &Edit3, &Edit4};
  const char* groups[] = {"Row Tag (tr) ", "Column Tag (td) ", "Table Tag (table) "};
  for (int i = 0; i < 3; ++i) {
    TGroupBox* group = AddGroup(*this, page, groups[i], 8, 6 + 80 * i, 352, 72);
    *edits[i] = Place<TEdit>(*this, *group, "Edit" + std::to_string(i + 2), 10, 40, 330, 21);
    AddLabel(*this, *group, "Extra Parameters:", 10, 22);
  }
}

void TFrmTable::LoadStyleNames() {
  const TIniFile preferences(DataDir() + "preferences.dat");
  const int count = preferences.ReadInteger("Styles", "StyleCount", 0);
  ComboBox1->Items()->Clear();
  for (int i = 0; i < count; ++i)
    ComboBox1->Items()->Add(preferences.ReadString("Styles", std::to_string(i), ""));
  ComboBox1->SetText(ComboBox1->Items()->Count() > 0 ? ComboBox1->Items()->Get(0) : "");
  if (ComboBox1->Items()->Count() == 0) RadioButton1->SetEnabled(false);
}

void TFrmTable::CheckBox1Click() {
  const bool width = CheckBox1->Checked();
  for (TControl* control : std::initializer_list<TControl*>{Edit1, RadioButton3, RadioButton4})
    control->SetEnabled(width);
  Edit1->SetColor(width ? clWindow : clBtnFace);
}

void TFrmTable::RadioButton1Click() {
  ComboBox1->SetEnabled(true);
  ComboBox1->SetColor(clWindow);
}

void TFrmTable::Button1Click() {
  if (!WholeNumbers({RxSpinEdit1, RxSpinEdit2})) return;
  if (CheckBox1->Checked() && RadioButton3->Checked() && !WholeNumbers({Edit1})) return;
  TableFields fields;
  fields.Rows = RxSpinEdit1->Text();
  fields.Columns = RxSpinEdit2->Text();
  fields.Alignment = ComboBox2->Text();
  fields.Border = RxSpinEdit5->Text();
  fields.Padding = RxSpinEdit3->Text();
  fields.Spacing = RxSpinEdit4->Text();
  fields.UseStyle = RadioButton1->Checked();
  fields.Style = ComboBox1->Text();
  fields.SpecifyWidth = CheckBox1->Checked();
  fields.Percent = RadioButton3->Checked();
  fields.Width = Edit1->Text();
  fields.RowExtra = Edit2->Text();
  fields.CellExtra = Edit3->Text();
  fields.TableExtra = Edit4->Text();
  SendInsertRecord(window_, ORV_MSG_INSERT_MARKUP, TableMarkup(fields, lower_case_));
  SetModalResult(mrOk);
}

}  // namespace orv
