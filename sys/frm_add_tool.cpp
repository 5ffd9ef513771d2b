#include "sys/frm_add_tool.h"

#include "platform/user_settings.h"
#include "sys/data_files.h"
#include "sys/error_box.h"
#include "sys/form_builder.h"
#include "sys/frm_mod_value.h"
#include "sys/setting_rows.h"

namespace orv {

TFrmAddTool::TFrmAddTool(HWND host) : TForm(nullptr), host_(host) {
  FormBuilder b(*this, "FrmAddTool", "Add Tool", 420, 370);
  auto* ok = b.Add<TButton>(nullptr, 256, 338, 75, 25, "&OK");
  b.CancelButton(337, 338);
  b.Text(nullptr, 8, 8, 404, 30,
         "This dialog lets you add new files, programs or URLs to the tools menu which you can then click to "
         "access");
  list_ = b.Add<TListView>(nullptr, 8, 42, 404, 160);
  list_->SetViewStyle(vsReport);
  list_->SetReadOnly(true);
  list_->AddColumn("Menu Name", 140);
  list_->AddColumn("File to Load", 240);
  remove_ = b.Add<TButton>(nullptr, 8, 208, 75, 25, "&Remove");
  modify_ = b.Add<TButton>(nullptr, 88, 208, 75, 25, "&Modify");
  remove_->SetEnabled(false);
  modify_->SetEnabled(false);
  b.Add<TLabel>(nullptr, 8, 246, 120, 16, "Menu Name:");
  menu_name_ = b.Add<TEdit>(nullptr, 130, 244, 250, 21);
  b.Add<TLabel>(nullptr, 8, 274, 120, 16, "File or URL to Load:");
  command_ = b.Add<TEdit>(nullptr, 130, 272, 250, 21);
  auto* browse = b.Add<TSpeedButton>(nullptr, 386, 271, 24, 23, "...");
  add_ = b.Add<TButton>(nullptr, 130, 300, 75, 25, "&Add");
  add_->SetDefault(true);
  add_->SetEnabled(false);
  open_dialog_ = b.Component<TOpenDialog>();

  OnEvent(menu_name_->OnChange, [this] { UpdateAdd(); });
  OnEvent(command_->OnChange, [this] { UpdateAdd(); });
  OnEvent(add_->OnClick, [this] { AddClick(); });
  OnEvent(list_->OnClick, [this] { UpdateRowButtons(); });
  OnEvent(list_->OnChange, [this] { UpdateRowButtons(); });
  OnEvent(remove_->OnClick, [this] {
    if (list_->SelectedIndex() >= 0) list_->DeleteItem(list_->SelectedIndex());
    UpdateRowButtons();
  });
  OnEvent(modify_->OnClick, [this] { ModifySelectedRow(*list_, "Menu Name:", "Program to Run (include parameters):"); });
  OnEvent(list_->OnDblClick, [this] { ModifySelectedRow(*list_, "Menu Name:", "Program to Run (include parameters):"); });
  OnEvent(browse->OnClick, [this] { BrowseClick(); });
  OnEvent(ok->OnClick, [this] { OkClick(); });

  TUserSettingList tools;
  LoadSettingListShowingErrors(tools, ToolsFile());
  AppendRows(*list_, tools);
}

void TFrmAddTool::UpdateAdd() { add_->SetEnabled(!menu_name_->Text().empty() && !command_->Text().empty()); }

void TFrmAddTool::UpdateRowButtons() {
  const bool selected = list_->SelectedIndex() >= 0;
  remove_->SetEnabled(selected);
  modify_->SetEnabled(selected);
}

void TFrmAddTool::AddClick() {
  list_->AddItem(menu_name_->Text(), {command_->Text()});
  list_->Refresh();
  menu_name_->Clear();
  command_->Clear();
  menu_name_->SetFocus();
}

void TFrmAddTool::BrowseClick() {
  open_dialog_->SetTitle("Select Application");
  open_dialog_->SetFilter("All Files (*.*)|*.*");
  if (open_dialog_->Execute() && !open_dialog_->FileName().empty()) command_->SetText(open_dialog_->FileName());
}

void TFrmAddTool::OkClick() {
  TUserSettingList tools;
  RowsToList(*list_, tools);
  SaveSettingList(tools, ToolsFile());
  SetModalResult(mrOk);
}

}  // namespace orv
