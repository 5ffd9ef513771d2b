#include "tagwiz/frm_table.h"

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/lists.h"
#include "controls/rx_spin.h"
#include "orv/host.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "tagwiz/insert_record.h"
#include "tagwiz/whole_numbers.h"

namespace orv {

TFrmTable::TFrmTable(TComponent* owner, HWND window, bool lower_case)
    : TForm(owner), window_(window), lower_case_(lower_case) {
  ReadFormResource(
      *this,
      {Field("RxSpinEdit1", &TFrmTable::RxSpinEdit1), Field("RxSpinEdit2", &TFrmTable::RxSpinEdit2),
       Field("RadioButton2", &TFrmTable::RadioButton2), Field("RadioButton1", &TFrmTable::RadioButton1),
       Field("ComboBox1", &TFrmTable::ComboBox1), Field("ComboBox2", &TFrmTable::ComboBox2),
       Field("RxSpinEdit5", &TFrmTable::RxSpinEdit5), Field("RxSpinEdit3", &TFrmTable::RxSpinEdit3),
       Field("RxSpinEdit4", &TFrmTable::RxSpinEdit4), Field("CheckBox1", &TFrmTable::CheckBox1),
       Field("Edit1", &TFrmTable::Edit1), Field("RadioButton3", &TFrmTable::RadioButton3),
       Field("RadioButton4", &TFrmTable::RadioButton4), Field("Edit2", &TFrmTable::Edit2),
       Field("Edit3", &TFrmTable::Edit3), Field("Edit4", &TFrmTable::Edit4),
       Handler("CheckBox1Click", &TFrmTable::CheckBox1Click),
       Handler("RadioButton1Click", &TFrmTable::RadioButton1Click), Handler("Button1Click", &TFrmTable::Button1Click)});
  LoadStyleNames();
}

void TFrmTable::LoadStyleNames() {
  const TIniFile preferences(DataDir() + "preferences.dat");
  const int count = preferences.ReadInteger("Styles", "StyleCount", 0);
  ComboBox1->Items()->Clear();
  for (int i = 0; i < count; ++i) ComboBox1->Items()->Add(preferences.ReadString("Styles", std::to_string(i), ""));
  ComboBox1->SetText(ComboBox1->Items()->Count() > 0 ? ComboBox1->Items()->Get(0) : "");
  if (ComboBox1->Items()->Count() == 0) RadioButton1->SetEnabled(false);
}

void TFrmTable::CheckBox1Click(TObject*) {
  const bool width = CheckBox1->Checked();
  for (TControl* control : std::initializer_list<TControl*>{Edit1, RadioButton3, RadioButton4})
    control->SetEnabled(width);
  Edit1->SetColor(width ? clWindow : clBtnFace);
}

void TFrmTable::RadioButton1Click(TObject*) {
  ComboBox1->SetEnabled(true);
  ComboBox1->SetColor(clWindow);
}

void TFrmTable::Button1Click(TObject*) {
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
