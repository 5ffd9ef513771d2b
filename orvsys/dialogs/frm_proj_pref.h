// TFrmProjPref: the project-options dialog of ShowProjPref
// (frm_proj_pref.dfm). It takes the values from ~tmppref.ini (deleting it),
// and on OK writes them back there for the editor to carry into the project
// file.
#pragma once

#include "controls/form.h"

namespace orv {

class TCheckBox;
class TEdit;

// The project-options dialog; lives for one ShowProjPref call.
class TFrmProjPref : public TForm {
 public:
  TFrmProjPref();
  std::string ClassName() const override { return "TFrmProjPref"; }

 private:
  void FormShow(TObject* sender);
  void Button1Click(TObject* sender);

  TEdit* Edit1 = nullptr;          // source folder
  TEdit* Edit2 = nullptr;          // output folder
  TEdit* Edit3 = nullptr;          // image folder
  TEdit* Edit4 = nullptr;          // image prefix
  TCheckBox* CheckBox1 = nullptr;  // variables
  TCheckBox* CheckBox2 = nullptr;  // includes
  TCheckBox* CheckBox3 = nullptr;  // scripts
  TCheckBox* CheckBox4 = nullptr;  // external applications
  TCheckBox* CheckBox5 = nullptr;  // databases
};

}  // namespace orv
