#include "sys/frm_mod_value.h"

#include "controls/buttons.h"
#include "sys/form_builder.h"

namespace orv {

namespace {
constexpr int32_t clGrayText = static_cast<int32_t>(0x80000011);
}

TFrmModValue::TFrmModValue() : TForm(nullptr) {
  FormBuilder b(*this, "FrmModValue", "Modify Value", 360, 130);
  NameLabel = b.Add<TLabel>(nullptr, 8, 10, 340, 16, "Variable:");
  NameEdit = b.Add<TEdit>(nullptr, 8, 28, 344, 18);
  NameEdit->SetReadOnly(true);
  NameEdit->SetBorderStyle(0);
  NameEdit->SetColor(clBtnFace);
  NameEdit->Font()->SetColor(clGrayText);
  NameEdit->SetParentFont(false);
  NameEdit->SetTabStop(false);
  ValueLabel = b.Add<TLabel>(nullptr, 8, 52, 340, 16, "Value:");
  ValueEdit = b.Add<TEdit>(nullptr, 8, 70, 344, 21);
  b.OkButton(196, 100);
  b.CancelButton(276, 100);
  OnEvent(OnShow, [this] {
    ValueEdit->SetFocus();
    ValueEdit->SelectAll();
  });
}

bool ModifyValue(const std::string& name_label, const std::string& name, const std::string& value_label,
                 std::string& value) {
  TFrmModValue dialog;
  dialog.NameLabel->SetCaption(name_label);
  dialog.NameEdit->SetText(name);
  dialog.ValueLabel->SetCaption(value_label);
  dialog.ValueEdit->SetText(value);
  if (dialog.ShowModal() != mrOk) return false;
  value = dialog.ValueEdit->Text();
  return true;
}

void ModifySelectedRow(TListView& list, const std::string& name_label, const std::string& value_label) {
  const int row = list.SelectedIndex();
  if (row < 0) return;
  TListItem& item = list.Item(row);
  std::string value = item.SubItems.empty() ? std::string() : item.SubItems[0];
  if (ModifyValue(name_label, item.Caption, value_label, value)) {
    list.Item(row).SubItems = {value};
    list.Refresh();
  }
  list.SetFocus();
}

}  // namespace orv
