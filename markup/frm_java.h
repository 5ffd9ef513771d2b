// The Java applet dialog: code, code base, name, alternative text,
// alignment and size of an <applet> element, handed to the editor's window.
#pragma once

#include "controls/common_dialogs.h"
#include "controls/form.h"
#include "controls/lists.h"
#include "orv/window.h"

namespace orv {

class TEdit;
class TSpeedButton;

// "Insert Java Applet": Edit1 code (SpeedButton1 "Open" picks a .class file
// through OpenDialog1 and puts its name without the folder there), Edit2
// code base, Edit3 name, Edit4 alt, ComboBox1 alignment, Edit5/Edit6 width
// and height. "&OK" sends the markup with message 2029.
class TFrmJava : public TForm {
 public:
  TFrmJava(TComponent* owner, HWND window, bool lower_case);
  std::string ClassName() const override { return "TFrmJava"; }

  TEdit* Edit1;
  TEdit* Edit2;
  TEdit* Edit3;
  TEdit* Edit4;
  TComboBox* ComboBox1;
  TEdit* Edit5;
  TEdit* Edit6;
  TSpeedButton* SpeedButton1;
  TOpenDialog* OpenDialog1;

 private:
  void Button1Click();
  void SpeedButton1Click();

  HWND window_;
  bool lower_case_;
};

}  // namespace orv
