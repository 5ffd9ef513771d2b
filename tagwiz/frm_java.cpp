#include "tagwiz/frm_java.h"

#include "components/form_resource.h"
#include "controls/common_dialogs.h"
#include "controls/edits.h"
#include "controls/lists.h"
#include "orv/host.h"
#include "platform/paths.h"
#include "tagwiz/insert_record.h"

namespace orv {

TFrmJava::TFrmJava(TComponent* owner, HWND window, bool lower_case)
    : TForm(owner), window_(window), lower_case_(lower_case) {
  ReadFormResource(
      *this,
      {Field("Edit1", &TFrmJava::Edit1), Field("Edit2", &TFrmJava::Edit2), Field("Edit3", &TFrmJava::Edit3),
       Field("Edit4", &TFrmJava::Edit4), Field("ComboBox1", &TFrmJava::ComboBox1), Field("Edit5", &TFrmJava::Edit5),
       Field("Edit6", &TFrmJava::Edit6), Field("OpenDialog1", &TFrmJava::OpenDialog1),
       Handler("Button1Click", &TFrmJava::Button1Click), Handler("SpeedButton1Click", &TFrmJava::SpeedButton1Click)});
}

void TFrmJava::SpeedButton1Click(TObject*) {
  if (OpenDialog1->Execute()) Edit1->SetText(ExtractFileName(OpenDialog1->FileName()));
}

void TFrmJava::Button1Click(TObject*) {
  JavaAppletFields fields;
  fields.Code = Edit1->Text();
  fields.CodeBase = Edit2->Text();
  fields.Name = Edit3->Text();
  fields.Alt = Edit4->Text();
  fields.Align = ComboBox1->Text();
  fields.Width = Edit5->Text();
  fields.Height = Edit6->Text();
  SendInsertRecord(window_, ORV_MSG_INSERT_MARKUP, JavaAppletMarkup(fields, lower_case_));
  SetModalResult(mrOk);
}

}  // namespace orv
