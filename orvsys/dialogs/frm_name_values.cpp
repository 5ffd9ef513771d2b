#include "orvsys/dialogs/frm_name_values.h"

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/edits.h"
#include "controls/list_view.h"
#include "orvsys/dialogs/frm_mod_value.h"
#include "platform/user_settings.h"

namespace orv {

TFrmNameValues::TFrmNameValues() : TForm(nullptr) {
  ReadFormResource(
      *this,
      {Field("ListView1", &TFrmNameValues::ListView1), Field("Button3", &TFrmNameValues::Button3),
       Field("Button4", &TFrmNameValues::Button4), Field("Edit1", &TFrmNameValues::Edit1),
       Field("Edit2", &TFrmNameValues::Edit2), Field("Button5", &TFrmNameValues::Button5),
       Handler("ListView1Change", &TFrmNameValues::ListView1Change),
       Handler("ListView1Click", &TFrmNameValues::ListView1Click),
       Handler("ListView1DblClick", &TFrmNameValues::ListView1DblClick),
       Handler("Button3Click", &TFrmNameValues::Button3Click), Handler("Button4Click", &TFrmNameValues::Button4Click),
       Handler("EditChange", &TFrmNameValues::EditChange), Handler("Button5Click", &TFrmNameValues::Button5Click),
       Handler("Button1Click", &TFrmNameValues::Button1Click)});
}

void TFrmNameValues::ShowRows(const TUserSettingList& list) {
  for (int i = 0; i < list.Count(); ++i) ListView1->AddItem(list.Items(i).Name, {list.Items(i).Value});
}

void TFrmNameValues::ReadRows(TUserSettingList& list) const {
  list.Clear();
  for (int i = 0; i < ListView1->ItemCount(); ++i) {
    const TListItem& row = ListView1->Item(i);
    list.Add(row.Caption, row.SubItems.empty() ? std::string() : row.SubItems[0]);
  }
}

void TFrmNameValues::AddRow() {
  ListView1->AddItem(Edit1->Text(), {Edit2->Text()});
  Edit1->Clear();
  Edit2->Clear();
  Edit1->SetFocus();
}

void TFrmNameValues::ModifyRow(const std::string& name_label, const std::string& value_label) {
  const int row = ListView1->SelectedIndex();
  if (row < 0) return;
  TListItem& item = ListView1->Item(row);
  std::string value = item.SubItems.empty() ? std::string() : item.SubItems[0];
  if (ModifyValue(name_label, item.Caption, value_label, value)) {
    ListView1->Item(row).SubItems = {value};
    ListView1->Refresh();
  }
  ListView1->SetFocus();
}

}  // namespace orv
