#include "tagwiz/frm_hyperlink.h"

#include "components/form_resource.h"
#include "controls/edits.h"
#include "controls/lists.h"
#include "orv/host.h"
#include "tagwiz/insert_record.h"

namespace orv {

TFrmHyperLink::TFrmHyperLink(TComponent* owner, HWND window) : TForm(owner), window_(window) {
  ReadFormResource(*this, {Field("Edit1", &TFrmHyperLink::Edit1), Field("Edit2", &TFrmHyperLink::Edit2),
                           Field("Edit3", &TFrmHyperLink::Edit3), Field("Edit4", &TFrmHyperLink::Edit4),
                           Handler("Button1Click", &TFrmHyperLink::Button1Click)});
}

void TFrmHyperLink::Button1Click(TObject*) {
  SendInsertRecord(window_, ORV_MSG_INSERT_LINK,
                   HyperlinkMarkup({Edit1->Text(), Edit2->Text(), Edit3->Text(), Edit4->Text()}));
  SetModalResult(mrOk);
}

}  // namespace orv
