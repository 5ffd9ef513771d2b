#include "sys/frm_var.h"

#include "platform/user_settings.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "sys/data_files.h"
#include "sys/error_box.h"
#include "sys/form_builder.h"
#include "sys/frm_mod_value.h"
#include "sys/setting_rows.h"

namespace orv {

TFrmVar::TFrmVar() : TForm(nullptr) {
  FormBuilder b(*this, "FrmVar", "Organize Variables", 420, 360);
  auto* ok = b.Add<TButton>(nullptr, 256, 326, 75, 25, "&OK");
  b.CancelButton(337, 326);
  b.Text(nullptr, 8, 8, 404, 30,
         "Variables are customizable aliases which help you to quickly and easily re-use code snippets");
  list_ = b.Add<TListView>(nullptr, 8, 42, 404, 170);
  list_->SetViewStyle(vsReport);
  list_->SetMultiSelect(true);
  list_->SetReadOnly(true);
  list_->AddColumn("Variable", 140);
  list_->AddColumn("Value", 240);
  modify_ = b.Add<TButton>(nullptr, 8, 218, 75, 25, "&Modify");
  delete_ = b.Add<TButton>(nullptr, 88, 218, 75, 25, "&Delete");
  modify_->SetEnabled(false);
  delete_->SetEnabled(false);
  b.Add<TLabel>(nullptr, 8, 256, 50, 16, "Name:");
  name_ = b.Add<TEdit>(nullptr, 60, 254, 270, 21);
  b.Add<TLabel>(nullptr, 8, 284, 50, 16, "Value:");
  value_ = b.Add<TEdit>(nullptr, 60, 282, 270, 21);
  auto* add = b.Add<TButton>(nullptr, 337, 281, 75, 25, "&Add");
  add->SetDefault(true);

  OnEvent(OnShow, [this] { name_->SetFocus(); });
  OnEvent(add->OnClick, [this] { AddClick(); });
  OnEvent(modify_->OnClick, [this] { ModifySelectedRow(*list_, "Variable:", "Value:"); });
  OnEvent(list_->OnDblClick, [this] { ModifySelectedRow(*list_, "Variable:", "Value:"); });
  OnEvent(delete_->OnClick, [this] { DeleteClick(); });
  OnEvent(list_->OnChange, [this] { SelectionChanged(); });
  OnEvent(list_->OnExit, [this] { modify_->SetEnabled(list_->SelCount() > 0); });
  OnEvent(ok->OnClick, [this] {
    SaveList();
    SetModalResult(mrOk);
  });
  ReadPref();
}

void TFrmVar::ReadPref() {
  temp_dir_ = TempDir();
  const std::string path = temp_dir_ + kVarsExchangeName;
  TUserSettingList settings;
  LoadSettingListShowingErrors(settings, path);
  AppendRows(*list_, settings);
  DeleteFile(path);
}

void TFrmVar::SaveList() {
  TUserSettingList settings;
  RowsToList(*list_, settings);
  SaveSettingList(settings, temp_dir_ + kVarsExchangeName);
}

void TFrmVar::AddClick() {
  if (name_->Text().empty() || value_->Text().empty()) return;
  list_->AddItem(name_->Text(), {value_->Text()});
  list_->Refresh();
  name_->Clear();
  value_->Clear();
  name_->SetFocus();
}

void TFrmVar::DeleteClick() {
  if (list_->SelCount() == 0) return;
  QWidget* widget = list_->Widget();
  widget->setUpdatesEnabled(false);
  for (int row = list_->ItemCount() - 1; row >= 0; --row)
    if (list_->Item(row).Selected) list_->DeleteItem(row);
  list_->Refresh();
  widget->setUpdatesEnabled(true);
  SelectionChanged();
}

void TFrmVar::SelectionChanged() {
  const int selected = list_->SelCount();
  modify_->SetEnabled(selected > 0);
  delete_->SetEnabled(selected == 1);
  const int row = list_->SelectedIndex();
  if (row >= 0) {
    const TListItem& item = list_->Item(row);
    list_->SetHint(item.Caption + ":\n\r" + (item.SubItems.empty() ? std::string() : item.SubItems[0]));
    list_->SetShowHint(true);
  }
}

}  // namespace orv
