#include "orvsys/dialogs/frm_new_proj.h"

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/containers.h"
#include "controls/dialogs.h"
#include "controls/edits.h"
#include "orv/host.h"
#include "orvsys/dialogs/browse_folder.h"
#include "orvsys/dialogs/host_messages.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "platform/window.h"

namespace orv {

TFrmNewProj::TFrmNewProj(HWND host) : TForm(nullptr), host_(host) {
  ReadFormResource(
      *this,
      {Field("Panel1", &TFrmNewProj::Panel1), Field("Panel2", &TFrmNewProj::Panel2),
       Field("Panel3", &TFrmNewProj::Panel3), Field("Edit1", &TFrmNewProj::Edit1), Field("Edit2", &TFrmNewProj::Edit2),
       Field("Edit3", &TFrmNewProj::Edit3), Field("Edit4", &TFrmNewProj::Edit4), Field("Edit5", &TFrmNewProj::Edit5),
       Field("Button1", &TFrmNewProj::Button1), Field("Button2", &TFrmNewProj::Button2),
       Field("Button3", &TFrmNewProj::Button3), Field("BrowseFolder1", &TFrmNewProj::BrowseFolder1),
       Handler("FormShow", &TFrmNewProj::FormShow), Handler("Button1Click", &TFrmNewProj::Button1Click),
       Handler("Button2Click", &TFrmNewProj::Button2Click), Handler("Button3Click", &TFrmNewProj::Button3Click),
       Handler("BrowseClick", &TFrmNewProj::BrowseClick)});
}

void TFrmNewProj::FormShow(TObject*) { ShowPage(0); }

void TFrmNewProj::Button1Click(TObject*) { ShowPage(page_ - 1); }

void TFrmNewProj::ShowPage(int page) {
  page_ = page;
  TPanel* pages[] = {Panel1, Panel2, Panel3};
  for (int i = 0; i < 3; ++i) pages[i]->SetVisible(i == page);
  Button1->SetEnabled(page > 0);
  Button2->SetVisible(page < 2);
  Button2->SetDefault(page < 2);
  Button3->SetVisible(page == 2);
  Button3->SetDefault(page == 2);
  if (page == 1) Edit1->SetFocus();
  if (page == 2) Edit3->SetFocus();
}

void TFrmNewProj::Button2Click(TObject*) {
  if (page_ == 1) {
    if (Edit1->Text().empty()) {
      MessageDlg("Please enter a name for your project", mtError, {mbOK}, 0);
      Edit1->SetFocus();
      return;
    }
    if (Edit1->Text().find('/') != std::string::npos) {
      MessageDlg("A project name cannot contain \"/\"", mtError, {mbOK}, 0);
      Edit1->SetFocus();
      return;
    }
  }
  ShowPage(page_ + 1);
}

bool TFrmNewProj::MakeFolder(TEdit* edit) {
  if (DirectoryExists(edit->Text())) return true;
  const std::string path = IncludeTrailingSlash(edit->Text());
  if (path.size() > 1) ForceDirectories(path);
  if (DirectoryExists(path)) return true;
  MessageDlg("Could not create directory: " + path, mtError, {mbOK}, 0);
  edit->SetFocus();
  return false;
}

void TFrmNewProj::Button3Click(TObject*) {
  for (TEdit* edit : {Edit3, Edit4, Edit5})
    if (edit->Text().empty()) {
      MessageDlg("You must have a folder listed for each option", mtError, {mbOK}, 0);
      edit->SetFocus();
      return;
    }
  for (TEdit* edit : {Edit3, Edit4, Edit5})
    if (!MakeFolder(edit)) return;
  const std::string project = IncludeTrailingSlash(Edit3->Text()) + Edit1->Text() + ".orv";
  TIniFile ini(project);
  ini.WriteString("directories", "src", ExcludeTrailingSlash(Edit3->Text()));
  ini.WriteString("directories", "out", ExcludeTrailingSlash(Edit4->Text()));
  ini.WriteString("directories", "img", ExcludeTrailingSlash(Edit5->Text()));
  ini.WriteString("other", "imgprep", Edit2->Text());
  if (MessageDlg("Your Project has been Created.  If you wish to open it now Click \"Yes\" otherwise click \"No\"",
                 mtConfirmation, {mbYes, mbNo}, 0) == mrYes) {
    PostRecord(host_, ORV_MSG_OPEN_FILE, project);
  }
  SetModalResult(mrOk);
}

void TFrmNewProj::BrowseClick(TObject* sender) {
  // Each "..." button stands beside its folder's box.
  const std::pair<const char*, TEdit*> boxes[] = {
      {"SpeedButton1", Edit3}, {"SpeedButton2", Edit4}, {"SpeedButton3", Edit5}};
  std::string folder;
  for (const auto& [button, edit] : boxes)
    if (sender == FindComponent(button) && BrowseFolder1->Execute(folder)) edit->SetText(folder);
}

}  // namespace orv
