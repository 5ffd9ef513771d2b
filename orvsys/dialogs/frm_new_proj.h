// TFrmNewProj: the new-project wizard of NewProj (frm_new_proj.dfm). Three
// pages (welcome, name and image prefix, the three folders); "&Finish"
// creates the missing folders, writes <source>/<name>.orv and offers to
// open it in the editor (message 3037 with a TMyRecord).
#pragma once

#include "controls/form.h"
#include "orv/window.h"

namespace orv {

class TBrowseFolder;
class TButton;
class TEdit;
class TPanel;

// The wizard; lives for one NewProj call.
class TFrmNewProj : public TForm {
 public:
  explicit TFrmNewProj(HWND host);
  std::string ClassName() const override { return "TFrmNewProj"; }

 private:
  void FormShow(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  // A "..." button: browses for the folder of the box beside it.
  void BrowseClick(TObject* sender);
  void ShowPage(int page);
  // Creates `edit`'s folder when it is missing; false (after the message)
  // when it cannot be created.
  bool MakeFolder(TEdit* edit);

  HWND host_;
  int page_ = 0;
  TPanel* Panel1 = nullptr;
  TPanel* Panel2 = nullptr;
  TPanel* Panel3 = nullptr;
  TEdit* Edit1 = nullptr;      // the project's name
  TEdit* Edit2 = nullptr;      // the image prefix
  TEdit* Edit3 = nullptr;      // the source folder
  TEdit* Edit4 = nullptr;      // the output folder
  TEdit* Edit5 = nullptr;      // the images folder
  TButton* Button1 = nullptr;  // "< &Back"
  TButton* Button2 = nullptr;  // "&Next >"
  TButton* Button3 = nullptr;  // "&Finish"
  TBrowseFolder* BrowseFolder1 = nullptr;
};

}  // namespace orv
