#include "tagwiz/frm_activex.h"

#include "components/form_resource.h"
#include "controls/edits.h"
#include "controls/lists.h"
#include "orv/host.h"
#include "tagwiz/insert_record.h"
#include "tagwiz/whole_numbers.h"

namespace orv {

TFrmActiveX::TFrmActiveX(TComponent* owner, HWND window, bool lower_case)
    : TForm(owner), window_(window), lower_case_(lower_case) {
  ReadFormResource(*this, {Field("Edit1", &TFrmActiveX::Edit1), Field("Edit2", &TFrmActiveX::Edit2),
                           Field("Edit8", &TFrmActiveX::Edit8), Field("Edit5", &TFrmActiveX::Edit5),
                           Field("Edit6", &TFrmActiveX::Edit6), Field("Edit7", &TFrmActiveX::Edit7),
                           Field("ComboBox1", &TFrmActiveX::ComboBox1), Field("Edit3", &TFrmActiveX::Edit3),
                           Field("Edit4", &TFrmActiveX::Edit4), Handler("Button1Click", &TFrmActiveX::Button1Click)});
}

void TFrmActiveX::Button1Click(TObject*) {
  if (!WholeNumbers({Edit5, Edit6, Edit7, Edit3, Edit4})) return;
  ActiveXFields fields;
  fields.ClassId = Edit1->Text();
  fields.Name = Edit2->Text();
  fields.AlternativeUrl = Edit8->Text();
  fields.HSpace = Edit5->Text();
  fields.VSpace = Edit6->Text();
  fields.Border = Edit7->Text();
  fields.Align = ComboBox1->Text();
  fields.Width = Edit3->Text();
  fields.Height = Edit4->Text();
  SendInsertRecord(window_, ORV_MSG_INSERT_MARKUP, ActiveXMarkup(fields, lower_case_));
  SetModalResult(mrOk);
}

}  // namespace orv
