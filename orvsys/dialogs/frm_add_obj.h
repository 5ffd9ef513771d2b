// TFrmAddObj: "Add To Repository" (AddObjRep, frm_add_obj.dfm): stores a
// document under a description in objrep.dat; an existing description gets
// the new path.
#pragma once

#include "controls/form.h"
#include "orv/window.h"
#include "platform/user_settings.h"

namespace orv {

class TEdit;

// The add dialog; lives for one AddObjRep call.
class TFrmAddObj : public TForm {
 public:
  TFrmAddObj(HWND host, const std::string& path);
  std::string ClassName() const override { return "TFrmAddObj"; }

 private:
  void FormShow(TObject* sender);
  void Button1Click(TObject* sender);

  HWND host_;
  TUserSettingList documents_;
  TEdit* Edit1 = nullptr;  // the description
  TEdit* Edit2 = nullptr;  // the document's path
};

}  // namespace orv
