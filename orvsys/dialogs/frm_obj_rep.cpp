#include "orvsys/dialogs/frm_obj_rep.h"

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/containers.h"
#include "controls/image_list.h"
#include "controls/list_view.h"
#include "orv/host.h"
#include "orvsys/dialogs/error_box.h"
#include "orvsys/dialogs/host_messages.h"
#include "orvsys/model/data_files.h"
#include "orvsys/model/file_types.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/window.h"

namespace orv {

TRepositoryIcon RepositoryIcon(const std::string& path) {
  const std::string ext = ExtractFileExt(path);
  if (ext == ".hts") return riSource;
  if (ext == ".hsn") return riSnippet;
  if (ext == ".ops") return riScript;
  if (ext == ".htf") return riTemplate;
  return riOther;
}

const TBuiltinDocument (&BuiltinDocuments())[8] {
  static const TBuiltinDocument documents[8] = {
      {"Cascading Style Sheet", riTemplate, "templates/css.htf"},
      {"Default Web Page", riTemplate, "templates/normal.htf"},
      {"HTML Footer (with table)", riSnippet, "snippets/footer_tab.hsn"},
      {"HTML Header (with table)", riSnippet, "snippets/header_tab.hsn"},
      {"Redirection Page", riTemplate, "templates/redirect.htf"},
      {"Standard HTML Footer", riSnippet, "snippets/footer.hsn"},
      {"Standard HTML Header", riSnippet, "snippets/header.hsn"},
      {"Two Frame Page", riTemplate, "templates/2frame.hts"},
  };
  return documents;
}

TFrmObjRep::TFrmObjRep(HWND host) : TForm(nullptr), host_(host) {
  ReadFormResource(
      *this, {Field("PageControl1", &TFrmObjRep::PageControl1), Field("TabSheet2", &TFrmObjRep::TabSheet2),
              Field("ListView1", &TFrmObjRep::ListView1), Field("ListView2", &TFrmObjRep::ListView2),
              Field("ImageList1", &TFrmObjRep::ImageList1), Field("Button1", &TFrmObjRep::Button1),
              Handler("FormShow", &TFrmObjRep::FormShow), Handler("ListViewChange", &TFrmObjRep::ListViewChange),
              Handler("ListViewDblClick", &TFrmObjRep::ListViewDblClick),
              Handler("Button1Click", &TFrmObjRep::Button1Click), Handler("Delete1Click", &TFrmObjRep::Delete1Click)});
  // The file-type icons shipped in icons/, by TRepositoryIcon (the last, of
  // other files, is the plain page).
  const std::string dir = ShippedDataFolder("icons/0-project.svg") + "icons/";
  for (int index : {4, 5, 6, 8, 1}) {
    const std::string file = dir + std::to_string(index) + "-" + IconNames()[static_cast<size_t>(index)] + ".svg";
    if (FileExists(file)) ImageList1->AddFromFile(file);
  }
  for (const TBuiltinDocument& document : BuiltinDocuments())
    ListView1->AddItem(document.Description, {document.Path}).ImageIndex = document.Icon;
}

void TFrmObjRep::FormShow(TObject*) {
  LoadSettingListShowingErrors(user_documents_, ObjRepFile());
  ListView2->ClearItems();
  for (int i = 0; i < user_documents_.Count(); ++i) {
    const TUserSetting& document = user_documents_.Items(i);
    ListView2->AddItem(document.Name, {document.Value}).ImageIndex = RepositoryIcon(document.Value);
  }
  ListView2->Refresh();
}

void TFrmObjRep::ListViewDblClick(TObject* sender) {
  if (static_cast<TListView*>(sender)->SelectedIndex() >= 0) Button1->Click();
}

void TFrmObjRep::ListViewChange(TObject*) {
  Button1->SetEnabled(ListView1->SelectedIndex() >= 0 || ListView2->SelectedIndex() >= 0);
}

void TFrmObjRep::Button1Click(TObject*) {
  const bool user_page = PageControl1->ActivePage() == TabSheet2;
  TListView* list = user_page ? ListView2 : ListView1;
  std::string folder, path;
  if (const int row = list->SelectedIndex(); row >= 0) {
    if (!user_page) folder = BuiltinDocumentsDir();
    path = list->Item(row).SubItems.at(0);
  }
  PostRecord(host_, ORV_MSG_OPEN_NEW, folder, path);
  SetModalResult(mrOk);
}

void TFrmObjRep::Delete1Click(TObject*) {
  const int row = ListView2->SelectedIndex();
  if (row < 0) return;
  const std::string description = ListView2->Item(row).Caption;
  if (user_documents_.Find(description) == nullptr) return;
  user_documents_.Delete(description);
  ListView2->DeleteItem(row);
  SaveSettingList(user_documents_, ObjRepFile());
}

}  // namespace orv
