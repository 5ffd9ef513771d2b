#include "orvsys/dialogs/frm_mod_value.h"

#include "components/form_resource.h"
#include "controls/edits.h"

namespace orv {

TFrmModValue::TFrmModValue() : TForm(nullptr) {
  ReadFormResource(*this, {Field("Label1", &TFrmModValue::Label1), Field("Edit1", &TFrmModValue::Edit1),
                           Field("Label2", &TFrmModValue::Label2), Field("Edit2", &TFrmModValue::Edit2),
                           Handler("FormShow", &TFrmModValue::FormShow)});
}

void TFrmModValue::FormShow(TObject*) {
  Edit2->SetFocus();
  Edit2->SelectAll();
}

bool ModifyValue(const std::string& name_label, const std::string& name, const std::string& value_label,
                 std::string& value) {
  TFrmModValue dialog;
  dialog.Label1->SetCaption(name_label);
  dialog.Edit1->SetText(name);
  dialog.Label2->SetCaption(value_label);
  dialog.Edit2->SetText(value);
  if (dialog.ShowModal() != mrOk) return false;
  value = dialog.Edit2->Text();
  return true;
}

}  // namespace orv
