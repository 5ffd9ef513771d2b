#include "orvsys/dialogs/frm_setup.h"

#include "components/form_resource.h"
#include "controls/edits.h"

namespace orv {

TFrmSetup::TFrmSetup(const TMailSettings& current) : TForm(nullptr) {
  ReadFormResource(
      *this, {Field("Edit1", &TFrmSetup::Edit1), Field("Edit2", &TFrmSetup::Edit2), Field("Edit3", &TFrmSetup::Edit3)});
  Edit1->SetText(current.UserName);
  Edit2->SetText(current.Email);
  Edit3->SetText(current.SmtpHost);
}

TMailSettings TFrmSetup::Settings() const { return {Edit1->Text(), Edit2->Text(), Edit3->Text()}; }

}  // namespace orv
