#include "orvsys/dialogs/frm_var.h"

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/edits.h"
#include "controls/list_view.h"
#include "orvsys/dialogs/error_box.h"
#include "orvsys/model/data_files.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/user_settings.h"

namespace orv {

TFrmVar::TFrmVar() {
  ReadFormResource(*this, {Handler("FormShow", &TFrmVar::FormShow), Handler("ListView1Exit", &TFrmVar::ListView1Exit)},
                   "TFrmNameValues");
  ReadPref();
}

void TFrmVar::ReadPref() {
  temp_dir_ = TempDir();
  const std::string path = temp_dir_ + kVarsExchangeName;
  TUserSettingList settings;
  LoadSettingListShowingErrors(settings, path);
  ShowRows(settings);
  DeleteFile(path);
}

void TFrmVar::SaveList() {
  TUserSettingList settings;
  ReadRows(settings);
  SaveSettingList(settings, temp_dir_ + kVarsExchangeName);
}

void TFrmVar::FormShow(TObject*) { Edit1->SetFocus(); }

void TFrmVar::ListView1Change(TObject*) {
  const int selected = ListView1->SelCount();
  Button3->SetEnabled(selected > 0);
  Button4->SetEnabled(selected == 1);
  const int row = ListView1->SelectedIndex();
  if (row >= 0) {
    const TListItem& item = ListView1->Item(row);
    ListView1->SetHint(item.Caption + ":\n\r" + (item.SubItems.empty() ? std::string() : item.SubItems[0]));
    ListView1->SetShowHint(true);
  }
}

void TFrmVar::ListView1Exit(TObject*) { Button3->SetEnabled(ListView1->SelCount() > 0); }

void TFrmVar::ListView1DblClick(TObject*) { ModifyRow("Variable:", "Value:"); }

void TFrmVar::Button3Click(TObject*) { ModifyRow("Variable:", "Value:"); }

void TFrmVar::Button4Click(TObject* sender) {
  if (ListView1->SelCount() == 0) return;
  ListView1->BeginUpdate();
  for (int row = ListView1->ItemCount() - 1; row >= 0; --row)
    if (ListView1->Item(row).Selected) ListView1->DeleteItem(row);
  ListView1->EndUpdate();
  ListView1Change(sender);
}

void TFrmVar::Button5Click(TObject*) {
  if (!Edit1->Text().empty() && !Edit2->Text().empty()) AddRow();
}

void TFrmVar::Button1Click(TObject*) {
  SaveList();
  SetModalResult(mrOk);
}

}  // namespace orv
