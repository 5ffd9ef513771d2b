#include "sys/frm_add_obj.h"

#include "controls/buttons.h"
#include "sys/data_files.h"
#include "sys/error_box.h"
#include "sys/form_builder.h"

namespace orv {

TFrmAddObj::TFrmAddObj(HWND host, const std::string& path) : TForm(nullptr), host_(host) {
  FormBuilder b(*this, "FrmAddObj", "Add To Repository", 400, 190);
  b.Text(nullptr, 8, 8, 384, 46,
         "Adding documents to the Repository makes it easy for you to re-use them.  Any document you add can be "
         "opened as a template by selecting File | New from the main menu");
  b.Add<TLabel>(nullptr, 8, 62, 384, 16, "Document Description:");
  description_ = b.Add<TEdit>(nullptr, 8, 80, 384, 21);
  b.Add<TLabel>(nullptr, 8, 108, 384, 16, "Full Filepath:");
  path_ = b.Add<TEdit>(nullptr, 8, 126, 384, 21);
  path_->SetReadOnly(true);
  path_->SetText(path);
  auto* ok = b.Add<TButton>(nullptr, 236, 158, 75, 25, "&OK");
  ok->SetDefault(true);
  b.CancelButton(317, 158);
  OnEvent(ok->OnClick, [this] { OkClick(); });
  OnEvent(OnShow, [this] {
    LoadSettingListShowingErrors(documents_, ObjRepFile());
    description_->SetFocus();
  });
}

void TFrmAddObj::OkClick() {
  TUserSetting* document = documents_.Find(description_->Text());
  if (document == nullptr) document = &documents_.Add(description_->Text());
  document->Value = path_->Text();
  SaveSettingList(documents_, ObjRepFile());
  SetModalResult(mrOk);
}

}  // namespace orv
