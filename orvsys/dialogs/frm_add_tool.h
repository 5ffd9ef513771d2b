// TFrmAddTool: "Add Tool", the editor of the Tools menu (tools.dat), on the
// shared name/value list dialog (frm_add_tool.dfm): rows of a menu name and
// the file, program with parameters or URL it opens.
#pragma once

#include "orv/window.h"
#include "orvsys/dialogs/frm_name_values.h"

namespace orv {

class TOpenDialog;

// The tools dialog; lives for one AddTool call.
class TFrmAddTool : public TFrmNameValues {
 public:
  explicit TFrmAddTool(HWND host);
  std::string ClassName() const override { return "TFrmAddTool"; }

 private:
  void ListView1Change(TObject* sender) override;
  void ListView1Click(TObject* sender) override;
  void ListView1DblClick(TObject* sender) override;
  void Button3Click(TObject* sender) override;
  void Button4Click(TObject* sender) override;
  void EditChange(TObject* sender) override;
  void Button5Click(TObject* sender) override;
  void Button1Click(TObject* sender) override;
  void SpeedButton1Click(TObject* sender);

  HWND host_;
  TOpenDialog* OpenDialog1 = nullptr;
};

}  // namespace orv
