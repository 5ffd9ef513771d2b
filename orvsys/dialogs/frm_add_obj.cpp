#include "orvsys/dialogs/frm_add_obj.h"

#include "components/form_resource.h"
#include "controls/edits.h"
#include "orvsys/dialogs/error_box.h"
#include "orvsys/model/data_files.h"

namespace orv {

TFrmAddObj::TFrmAddObj(HWND host, const std::string& path) : TForm(nullptr), host_(host) {
  ReadFormResource(*this,
                   {Field("Edit1", &TFrmAddObj::Edit1), Field("Edit2", &TFrmAddObj::Edit2),
                    Handler("FormShow", &TFrmAddObj::FormShow), Handler("Button1Click", &TFrmAddObj::Button1Click)});
  Edit2->SetText(path);
}

void TFrmAddObj::FormShow(TObject*) { LoadSettingListShowingErrors(documents_, ObjRepFile()); }

void TFrmAddObj::Button1Click(TObject*) {
  TUserSetting* document = documents_.Find(Edit1->Text());
  if (document == nullptr) document = &documents_.Add(Edit1->Text());
  document->Value = Edit2->Text();
  SaveSettingList(documents_, ObjRepFile());
  SetModalResult(mrOk);
}

}  // namespace orv
