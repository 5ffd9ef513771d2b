// TFrmNewProj: the new-project wizard of NewProj. Three pages (welcome,
// name and image prefix, the three folders); "&Finish" creates the missing
// folders, writes <source>/<name>.orv and offers to open it in the editor
// (message 3037 with a TMyRecord).
#pragma once

#include "controls/buttons.h"
#include "controls/containers.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "orv/window.h"
#include "sys/browse_folder.h"

namespace orv {

// The wizard; lives for one NewProj call.
class TFrmNewProj : public TForm {
 public:
  explicit TFrmNewProj(HWND host);
  std::string ClassName() const override { return "TFrmNewProj"; }

 private:
  void ShowPage(int page);
  void NextClick();
  void FinishClick();
  // Creates `edit`'s folder when it is missing; false (after the message)
  // when it cannot be created.
  bool MakeFolder(TEdit* edit);
  void Browse(TEdit* edit);

  HWND host_;
  int page_ = 0;
  TPanel* pages_[3] = {};
  TEdit* name_ = nullptr;
  TEdit* prefix_ = nullptr;
  TEdit* source_ = nullptr;
  TEdit* output_ = nullptr;
  TEdit* images_ = nullptr;
  TButton* back_ = nullptr;
  TButton* next_ = nullptr;
  TButton* finish_ = nullptr;
  TBrowseFolder* browser_ = nullptr;
};

}  // namespace orv
