// The Java applet dialog: code, code base, name, alternative text,
// alignment and size of an <applet> element, handed to the editor's window.
#pragma once

#include "controls/form.h"
#include "orv/window.h"

namespace orv {

class TComboBox;
class TEdit;
class TOpenDialog;

// "Insert Java Applet" (frm_java.dfm): Edit1 code (SpeedButton1 "Open"
// picks a .class file through OpenDialog1 and puts its name without the
// folder there), Edit2 code base, Edit3 name, Edit4 alt, ComboBox1
// alignment, Edit5/Edit6 width and height. "&OK" sends the markup with
// message 2029.
class TFrmJava : public TForm {
 public:
  TFrmJava(TComponent* owner, HWND window, bool lower_case);
  std::string ClassName() const override { return "TFrmJava"; }

  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TEdit* Edit3 = nullptr;
  TEdit* Edit4 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TEdit* Edit5 = nullptr;
  TEdit* Edit6 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;

 private:
  void Button1Click(TObject* sender);
  void SpeedButton1Click(TObject* sender);

  HWND window_;
  bool lower_case_;
};

}  // namespace orv
