// The table dialog: rows, columns, layout, a named style, a width and extra
// attributes become an empty table's markup, handed to the editor's window.
#pragma once

#include "controls/form.h"
#include "orv/window.h"

namespace orv {

class TCheckBox;
class TComboBox;
class TEdit;
class TRadioButton;
class TRxSpinEdit;

// "Insert Table" (frm_table.dfm), pages "&Design" and "&Extended". The
// style names come from the Styles section of preferences.dat in the data
// folder. "&OK" checks that rows, columns and a percentage width are whole
// numbers, then sends the markup with message 2029 (all of it in lower case
// when `lower_case` is set, else in upper case).
class TFrmTable : public TForm {
 public:
  TFrmTable(TComponent* owner, HWND window, bool lower_case);
  std::string ClassName() const override { return "TFrmTable"; }

  TRxSpinEdit* RxSpinEdit1 = nullptr;
  TRxSpinEdit* RxSpinEdit2 = nullptr;
  TRadioButton* RadioButton2 = nullptr;
  TRadioButton* RadioButton1 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TComboBox* ComboBox2 = nullptr;
  TRxSpinEdit* RxSpinEdit5 = nullptr;
  TRxSpinEdit* RxSpinEdit3 = nullptr;
  TRxSpinEdit* RxSpinEdit4 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TEdit* Edit1 = nullptr;
  TRadioButton* RadioButton3 = nullptr;
  TRadioButton* RadioButton4 = nullptr;
  TEdit* Edit2 = nullptr;
  TEdit* Edit3 = nullptr;
  TEdit* Edit4 = nullptr;

 private:
  void LoadStyleNames();
  void CheckBox1Click(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void Button1Click(TObject* sender);

  HWND window_;
  bool lower_case_;
};

}  // namespace orv
