// The hyperlink dialog: an address, a description, a target frame and a
// style become <a href=...>description, handed to the editor's window.
#pragma once

#include "controls/form.h"
#include "controls/lists.h"
#include "orv/window.h"

namespace orv {

class TEdit;

// "Insert Hyperlink": Edit1 address ("http://", focused), Edit2 description,
// Edit3 target frame (a drop-down of the frame names), Edit4 style. "&OK"
// sends the link to `window` with message 2924 and closes the dialog.
class TFrmHyperLink : public TForm {
 public:
  TFrmHyperLink(TComponent* owner, HWND window);
  std::string ClassName() const override { return "TFrmHyperLink"; }

  TEdit* Edit1;
  TEdit* Edit2;
  TComboBox* Edit3;
  TEdit* Edit4;

 private:
  void Button1Click();

  HWND window_;
};

}  // namespace orv
