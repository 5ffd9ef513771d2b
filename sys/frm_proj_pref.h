// TFrmProjPref: the project-options dialog of ShowProjPref. It takes the
// values from ~tmppref.ini (deleting it), and on OK writes them back there
// for the editor to carry into the project file.
#pragma once

#include "controls/buttons.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "sys/project_options.h"

namespace orv {

// The project-options dialog; lives for one ShowProjPref call.
class TFrmProjPref : public TForm {
 public:
  TFrmProjPref();
  std::string ClassName() const override { return "TFrmProjPref"; }

 private:
  void FormShow();
  void OkClick();

  TEdit* source_ = nullptr;
  TEdit* output_ = nullptr;
  TEdit* images_ = nullptr;
  TEdit* prefix_ = nullptr;
  TCheckBox* vars_ = nullptr;
  TCheckBox* includes_ = nullptr;
  TCheckBox* scripts_ = nullptr;
  TCheckBox* ext_apps_ = nullptr;
  TCheckBox* databases_ = nullptr;
};

}  // namespace orv
