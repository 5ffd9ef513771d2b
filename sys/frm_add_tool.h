// TFrmAddTool: "Add Tool", the editor of the Tools menu (tools.dat): rows of
// a menu name and the file, program with parameters or URL it opens.
#pragma once

#include "controls/buttons.h"
#include "controls/common_dialogs.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/lists.h"
#include "orv/window.h"

namespace orv {

// The tools dialog; lives for one AddTool call.
class TFrmAddTool : public TForm {
 public:
  explicit TFrmAddTool(HWND host);
  std::string ClassName() const override { return "TFrmAddTool"; }

 private:
  void UpdateAdd();
  void UpdateRowButtons();
  void AddClick();
  void BrowseClick();
  void OkClick();

  HWND host_;
  TListView* list_ = nullptr;
  TButton* remove_ = nullptr;
  TButton* modify_ = nullptr;
  TEdit* menu_name_ = nullptr;
  TEdit* command_ = nullptr;
  TButton* add_ = nullptr;
  TOpenDialog* open_dialog_ = nullptr;
};

}  // namespace orv
