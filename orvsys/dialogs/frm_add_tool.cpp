#include "orvsys/dialogs/frm_add_tool.h"

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/common_dialogs.h"
#include "controls/edits.h"
#include "controls/list_view.h"
#include "orvsys/dialogs/error_box.h"
#include "orvsys/model/data_files.h"
#include "platform/user_settings.h"

namespace orv {
namespace {

constexpr const char* kNameLabel = "Menu Name:";
constexpr const char* kCommandLabel = "Program to Run (include parameters):";

}  // namespace

TFrmAddTool::TFrmAddTool(HWND host) : host_(host) {
  ReadFormResource(
      *this,
      {Field("OpenDialog1", &TFrmAddTool::OpenDialog1), Handler("SpeedButton1Click", &TFrmAddTool::SpeedButton1Click)},
      "TFrmNameValues");
  TUserSettingList tools;
  LoadSettingListShowingErrors(tools, ToolsFile());
  ShowRows(tools);
}

void TFrmAddTool::EditChange(TObject*) { Button5->SetEnabled(!Edit1->Text().empty() && !Edit2->Text().empty()); }

void TFrmAddTool::ListView1Change(TObject*) {
  const bool selected = ListView1->SelectedIndex() >= 0;
  Button3->SetEnabled(selected);
  Button4->SetEnabled(selected);
}

void TFrmAddTool::ListView1Click(TObject* sender) { ListView1Change(sender); }

void TFrmAddTool::ListView1DblClick(TObject*) { ModifyRow(kNameLabel, kCommandLabel); }

void TFrmAddTool::Button3Click(TObject* sender) {
  if (ListView1->SelectedIndex() >= 0) ListView1->DeleteItem(ListView1->SelectedIndex());
  ListView1Change(sender);
}

void TFrmAddTool::Button4Click(TObject*) { ModifyRow(kNameLabel, kCommandLabel); }

void TFrmAddTool::Button5Click(TObject*) { AddRow(); }

void TFrmAddTool::SpeedButton1Click(TObject*) {
  if (OpenDialog1->Execute() && !OpenDialog1->FileName().empty()) Edit2->SetText(OpenDialog1->FileName());
}

void TFrmAddTool::Button1Click(TObject*) {
  TUserSettingList tools;
  ReadRows(tools);
  SaveSettingList(tools, ToolsFile());
  SetModalResult(mrOk);
}

}  // namespace orv
