// TFrmVar: "Organize Variables", the variables editor of DoVars, on the
// shared name/value list dialog (frm_var.dfm). It takes the variables from
// ~fsetting.tmp in the temporary folder (deleting it) and, on OK, writes the
// rows back there for the editor.
#pragma once

#include <string>

#include "orvsys/dialogs/frm_name_values.h"

namespace orv {

// The variables editor; lives for one DoVars call.
class TFrmVar : public TFrmNameValues {
 public:
  TFrmVar();
  std::string ClassName() const override { return "TFrmVar"; }

  // Loads the exchange file into the rows and deletes it.
  void ReadPref();
  // Writes the rows to the exchange file in the remembered temporary folder.
  void SaveList();

 private:
  void FormShow(TObject* sender);
  void ListView1Change(TObject* sender) override;
  void ListView1Exit(TObject* sender);
  void ListView1DblClick(TObject* sender) override;
  void Button3Click(TObject* sender) override;
  void Button4Click(TObject* sender) override;
  void Button5Click(TObject* sender) override;
  void Button1Click(TObject* sender) override;

  std::string temp_dir_;
};

}  // namespace orv
