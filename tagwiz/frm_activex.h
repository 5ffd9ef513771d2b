// The ActiveX dialog: the class id, name, alternative content, spacings,
// alignment and size of an <object> element, handed to the editor's window.
#pragma once

#include "controls/form.h"
#include "orv/window.h"

namespace orv {

class TComboBox;
class TEdit;

// "Insert ActiveX Control" (frm_activex.dfm): Edit1 class id, Edit2 name,
// Edit8 alternative URL, Edit5/Edit6/Edit7 horizontal, vertical and border
// spacing, ComboBox1 alignment, Edit3/Edit4 width and height. "&OK" sends
// the markup with message 2029, names in lower case when `lower_case` is set.
class TFrmActiveX : public TForm {
 public:
  TFrmActiveX(TComponent* owner, HWND window, bool lower_case);
  std::string ClassName() const override { return "TFrmActiveX"; }

  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TEdit* Edit8 = nullptr;
  TEdit* Edit5 = nullptr;
  TEdit* Edit6 = nullptr;
  TEdit* Edit7 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TEdit* Edit3 = nullptr;
  TEdit* Edit4 = nullptr;

 private:
  void Button1Click(TObject* sender);

  HWND window_;
  bool lower_case_;
};

}  // namespace orv
