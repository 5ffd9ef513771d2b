// The hyperlink dialog: an address, a description, a target frame and a
// style become <a href=...>description, handed to the editor's window.
#pragma once

#include "controls/form.h"
#include "orv/window.h"

namespace orv {

class TComboBox;
class TEdit;

// "Insert Hyperlink" (frm_hyperlink.dfm): Edit1 address ("http://",
// focused), Edit2 description, Edit3 target frame (a drop-down of the frame
// names), Edit4 style. "&OK" sends the link to `window` with message 2924
// and closes the dialog.
class TFrmHyperLink : public TForm {
 public:
  TFrmHyperLink(TComponent* owner, HWND window);
  std::string ClassName() const override { return "TFrmHyperLink"; }

  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TComboBox* Edit3 = nullptr;
  TEdit* Edit4 = nullptr;

 private:
  void Button1Click(TObject* sender);

  HWND window_;
};

}  // namespace orv
