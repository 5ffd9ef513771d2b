// TFrmVar: "Organize Variables", the variables editor of DoVars. It takes
// the variables from ~fsetting.tmp in the temporary folder (deleting it) and,
// on OK, writes the rows back there for the editor.
#pragma once

#include "controls/buttons.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/lists.h"

namespace orv {

// The variables editor; lives for one DoVars call.
class TFrmVar : public TForm {
 public:
  TFrmVar();
  std::string ClassName() const override { return "TFrmVar"; }

  // Loads the exchange file into the rows and deletes it.
  void ReadPref();
  // Writes the rows to the exchange file in the remembered temporary folder.
  void SaveList();

 private:
  void AddClick();
  void DeleteClick();
  void SelectionChanged();

  std::string temp_dir_;
  TListView* list_ = nullptr;
  TButton* modify_ = nullptr;
  TButton* delete_ = nullptr;
  TEdit* name_ = nullptr;
  TEdit* value_ = nullptr;
};

}  // namespace orv
