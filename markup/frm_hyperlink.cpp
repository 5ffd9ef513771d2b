#include "markup/frm_hyperlink.h"

#include "markup/dialog_parts.h"
#include "orv/host.h"

namespace orv {

TFrmHyperLink::TFrmHyperLink(TComponent* owner, HWND window) : TForm(owner), window_(window) {
  SetUpDialog(*this, "FrmHyperLink", "Insert Hyperlink", 376, 210);
  AddNote(*this,
          "Hyperlinks are sections of text that open a new web page when clicked.  Use this dialog to enter a "
          "hyperlink into your current web page.",
          8, 8, 360, 40);
  Edit1 = AddField<TEdit>(*this, *this, "Link Address:", "Edit1", 8, 112, 56, 256);
  Edit1->SetText("http://");
  Edit2 = AddField<TEdit>(*this, *this, "Link Description:", "Edit2", 8, 112, 84, 256);
  Edit3 = AddField<TComboBox>(*this, *this, "Target Frame:", "Edit3", 8, 112, 112, 256);
  for (const char* frame : {"_blank", "_parent", "_self", "_top"}) Edit3->Items()->Add(frame);
  Edit4 = AddField<TEdit>(*this, *this, "Style:", "Edit4", 8, 112, 140, 256);
  AddOkCancel(*this, 210, 176, [this] { Button1Click(); });
  SetActiveControl(Edit1);
}

void TFrmHyperLink::Button1Click() {
  SendInsertRecord(window_, ORV_MSG_INSERT_LINK,
                   HyperlinkMarkup({Edit1->Text(), Edit2->Text(), Edit3->Text(), Edit4->Text()}));
  SetModalResult(mrOk);
}

}  // namespace orv
