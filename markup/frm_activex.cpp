#include "markup/frm_activex.h"

#include "markup/dialog_parts.h"
#include "orv/host.h"

namespace orv {

TFrmActiveX::TFrmActiveX(TComponent* owner, HWND window, bool lower_case)
    : TForm(owner), window_(window), lower_case_(lower_case) {
  SetUpDialog(*this, "FrmActiveX", "Insert ActiveX Control", 400, 262);
  AddNote(*this,
          "ActiveX Controls are windows objects which can be used in programs or web pages.  Use this dialog to "
          "insert an ActiveX control into your web page.",
          8, 8, 384, 40);
  Edit1 = AddField<TEdit>(*this, *this, "Class ID:", "Edit1", 8, 112, 56, 280);
  Edit1->SetText("clsid:");
  Edit2 = AddField<TEdit>(*this, *this, "Name:", "Edit2", 8, 112, 84, 280);
  Edit8 = AddField<TEdit>(*this, *this, "Alternative URL:", "Edit8", 8, 112, 112, 280);
  Edit8->SetText("http://");
  Edit5 = AddField<TEdit>(*this, *this, "Horizontal Spacing:", "Edit5", 8, 136, 140, 56);
  Edit6 = AddField<TEdit>(*this, *this, "Vertical Spacing:", "Edit6", 8, 136, 168, 56);
  Edit7 = AddField<TEdit>(*this, *this, "Border Spacing:", "Edit7", 8, 136, 196, 56);
  ComboBox1 = AddField<TComboBox>(*this, *this, "Align:", "ComboBox1", 208, 264, 140, 128);
  for (const char* align : {"Bottom", "Middle", "Top", "Absbottom", "AbsMiddle", "Texttop", "Baseline", "Left",
                            "Right"})
    ComboBox1->Items()->Add(align);
  ComboBox1->SetText("Bottom");
  Edit3 = AddField<TEdit>(*this, *this, "Width:", "Edit3", 208, 264, 168, 56);
  Edit4 = AddField<TEdit>(*this, *this, "Height:", "Edit4", 208, 264, 196, 56);
  for (TEdit* size : {Edit5, Edit6, Edit7, Edit3, Edit4}) size->SetText("0");
  AddOkCancel(*this, 234, 230, [this] { Button1Click(); });
  SetActiveControl(Edit1);
}

void TFrmActiveX::Button1Click() {
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
