// The ActiveX dialog: the class id, name, alternative content, spacings,
// alignment and size of an <object> element, handed to the editor's window.
#pragma once

#include "controls/form.h"
#include "controls/lists.h"
#include "orv/window.h"

namespace orv {

class TEdit;

// "Insert ActiveX Control": Edit1 class id, Edit2 name, Edit8 alternative
// URL, Edit5/Edit6/Edit7 horizontal, vertical and border spacing, ComboBox1
// alignment, Edit3/Edit4 width and height. "&OK" sends the markup with
// message 2029, names in lower case when `lower_case` is set.
class TFrmActiveX : public TForm {
 public:
  TFrmActiveX(TComponent* owner, HWND window, bool lower_case);
  std::string ClassName() const override { return "TFrmActiveX"; }

  TEdit* Edit1;
  TEdit* Edit2;
  TEdit* Edit8;
  TEdit* Edit5;
  TEdit* Edit6;
  TEdit* Edit7;
  TComboBox* ComboBox1;
  TEdit* Edit3;
  TEdit* Edit4;

 private:
  void Button1Click();

  HWND window_;
  bool lower_case_;
};

}  // namespace orv
