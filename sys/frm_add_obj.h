// TFrmAddObj: "Add To Repository" (AddObjRep): stores a document under a
// description in objrep.dat; an existing description gets the new path.
#pragma once

#include "controls/edits.h"
#include "controls/form.h"
#include "platform/user_settings.h"
#include "orv/window.h"

namespace orv {

// The add dialog; lives for one AddObjRep call.
class TFrmAddObj : public TForm {
 public:
  TFrmAddObj(HWND host, const std::string& path);
  std::string ClassName() const override { return "TFrmAddObj"; }

 private:
  void OkClick();

  HWND host_;
  TUserSettingList documents_;
  TEdit* description_ = nullptr;
  TEdit* path_ = nullptr;
};

}  // namespace orv
