#include "markup/frm_java.h"

#include "markup/dialog_parts.h"
#include "orv/host.h"
#include "platform/paths.h"

namespace orv {

TFrmJava::TFrmJava(TComponent* owner, HWND window, bool lower_case)
    : TForm(owner), window_(window), lower_case_(lower_case) {
  SetUpDialog(*this, "FrmJava", "Insert Java Applet", 400, 262);
  AddNote(*this,
          "Java Applets are small controls made with Sun Microsystem's Java programming Language.  Use this "
          "dialog to insert a Java Applet into your web Page.",
          8, 8, 384, 40);
  Edit1 = AddField<TEdit>(*this, *this, "Code:", "Edit1", 8, 96, 56, 268);
  SpeedButton1 = Place<TSpeedButton>(*this, *this, "SpeedButton1", 368, 55, 23, 23);
  SpeedButton1->SetCaption("...");
  SpeedButton1->SetFlat(true);
  SpeedButton1->SetHint("Open");
  SpeedButton1->SetShowHint(true);
  SpeedButton1->OnClick.code = [this](TObject*, EventArgs&) { SpeedButton1Click(); };
  Edit2 = AddField<TEdit>(*this, *this, "Code Base:", "Edit2", 8, 96, 84, 296);
  Edit3 = AddField<TEdit>(*this, *this, "Name:", "Edit3", 8, 96, 112, 296);
  Edit4 = AddField<TEdit>(*this, *this, "Alt:", "Edit4", 8, 96, 140, 296);
  ComboBox1 = AddField<TComboBox>(*this, *this, "Align:", "ComboBox1", 8, 96, 168, 120);
  for (const char* align : {"Left", "Center", "Right", "Top", "Middle", "Bottom"}) ComboBox1->Items()->Add(align);
  Edit5 = AddField<TEdit>(*this, *this, "Width:", "Edit5", 8, 96, 196, 56);
  Edit6 = AddField<TEdit>(*this, *this, "Height:", "Edit6", 208, 264, 196, 56);
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->SetDefaultExt(".class");
  OpenDialog1->SetFilter("Java Classes (*.class)|*.class|All Files (*.*)|*.*");
  AddOkCancel(*this, 234, 230, [this] { Button1Click(); });
  SetActiveControl(Edit1);
}

void TFrmJava::SpeedButton1Click() {
  if (OpenDialog1->Execute()) Edit1->SetText(ExtractFileName(OpenDialog1->FileName()));
}

void TFrmJava::Button1Click() {
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
