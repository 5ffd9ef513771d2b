// The table dialog: rows, columns, layout, a named style, a width and extra
// attributes become an empty table's markup, handed to the editor's window.
#pragma once

#include "controls/buttons.h"
#include "controls/containers.h"
#include "controls/form.h"
#include "controls/lists.h"
#include "orv/window.h"

namespace orv {

class TEdit;
class TRxSpinEdit;

// "Insert Table", pages "&Design" and "&Extended". The style names come
// from the Styles section of preferences.dat in the data folder. "&OK"
// checks that rows, columns and a percentage width are whole numbers, then
// sends the markup with message 2029 (all of it in lower case when
// `lower_case` is set, else in upper case).
class TFrmTable : public TForm {
 public:
  TFrmTable(TComponent* owner, HWND window, bool lower_case);
  std::string ClassName() const override { return "TFrmTable"; }

  TPageControl* PageControl1;
  TRxSpinEdit* RxSpinEdit1;
  TRxSpinEdit* RxSpinEdit2;
  TRadioButton* RadioButton2;
  TRadioButton* RadioButton1;
  TComboBox* ComboBox1;
  TComboBox* ComboBox2;
  TRxSpinEdit* RxSpinEdit5;
  TRxSpinEdit* RxSpinEdit3;
  TRxSpinEdit* RxSpinEdit4;
  TCheckBox* CheckBox1;
  TEdit* Edit1;
  TRadioButton* RadioButton3;
  TRadioButton* RadioButton4;
  TEdit* Edit2;
  TEdit* Edit3;
  TEdit* Edit4;

 private:
  void BuildDesignPage(TTabSheet& page);
  void BuildExtendedPage(TTabSheet& page);
  void LoadStyleNames();
  void CheckBox1Click();
  void RadioButton1Click();
  void Button1Click();

  HWND window_;
  bool lower_case_;
};

}  // namespace orv
