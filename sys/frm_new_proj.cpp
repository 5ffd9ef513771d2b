#include "sys/frm_new_proj.h"

#include "controls/dialogs.h"
#include "orv/host.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "platform/window.h"
#include "sys/form_builder.h"
#include "sys/host_messages.h"

namespace orv {

TFrmNewProj::TFrmNewProj(HWND host) : TForm(nullptr), host_(host) {
  FormBuilder b(*this, "FrmNewProj", "New Project Wizard", 480, 330);
  for (TPanel*& page : pages_) {
    page = b.Add<TPanel>(nullptr, 0, 0, 480, 284);
    page->SetBevelOuter(bvNone);
  }

  b.Add<TLabel>(pages_[0], 16, 16, 440, 24, "New Project Wizard");
  b.Text(pages_[0], 16, 56, 440, 32, "This wizard will help you create a new Web Project.");
  b.Text(pages_[0], 16, 96, 440, 32,
         "On the next few pages you will be asked for some information.  Please answer all questions.");
  b.Text(pages_[0], 16, 136, 440, 32,
         "Please press \"Next\" if you are ready to begin, or Cancel to exit this wizard.");

  b.Text(pages_[1], 16, 16, 440, 18, "Please enter the name of your project:");
  name_ = b.Add<TEdit>(pages_[1], 16, 38, 300, 21);
  b.Text(pages_[1], 16, 80, 440, 80,
         "When ORV finds embedded images in your source, it can prepend the resulting <img src> property with "
         "a prefix.  If you wish to prefix images, add the prefix below (this can be changed in Project | "
         "Options at a later time).");
  prefix_ = b.Add<TEdit>(pages_[1], 16, 164, 300, 21);

  b.Text(pages_[2], 16, 8, 440, 18, "Your Web Project needs to have 3 default folders.");
  b.Text(pages_[2], 16, 28, 440, 16, "1:  Source Folder (contains the HTML files you work from)");
  b.Text(pages_[2], 16, 44, 440, 16, "2:  Output Folder (Your built web site gets put here)");
  b.Text(pages_[2], 16, 60, 440, 16, "3:  Images Folder (The folder you will keep your images in)");
  const char* prompts[] = {"Please select your Source Folder*", "Please select your Output Folder",
                           "Please select your Images Folder"};
  TEdit** folders[] = {&source_, &output_, &images_};
  for (int i = 0; i < 3; ++i) {
    b.Text(pages_[2], 16, 86 + i * 50, 440, 16, prompts[i]);
    TEdit* edit = *folders[i] = b.Add<TEdit>(pages_[2], 16, 104 + i * 50, 400, 21);
    auto* browse = b.Add<TSpeedButton>(pages_[2], 422, 103 + i * 50, 24, 23, "...");
    OnEvent(browse->OnClick, [this, edit] { Browse(edit); });
  }
  b.Text(pages_[2], 16, 250, 440, 16, "* If folders don't exist they will be created for you");

  back_ = b.Add<TButton>(nullptr, 152, 296, 75, 25, "< &Back");
  next_ = b.Add<TButton>(nullptr, 232, 296, 75, 25, "&Next >");
  finish_ = b.Add<TButton>(nullptr, 232, 296, 75, 25, "&Finish");
  b.CancelButton(396, 296);

  browser_ = b.Component<TBrowseFolder>();
  browser_->Title = "Select Folder";
  browser_->Folder = foMyComputer;
  browser_->ShowFullPath = true;

  OnEvent(back_->OnClick, [this] { ShowPage(page_ - 1); });
  OnEvent(next_->OnClick, [this] { NextClick(); });
  OnEvent(finish_->OnClick, [this] { FinishClick(); });
  OnEvent(OnShow, [this] { ShowPage(0); });
}

void TFrmNewProj::ShowPage(int page) {
  page_ = page;
  for (int i = 0; i < 3; ++i) pages_[i]->SetVisible(i == page);
  back_->SetEnabled(page > 0);
  next_->SetVisible(page < 2);
  next_->SetDefault(page < 2);
  finish_->SetVisible(page == 2);
  finish_->SetDefault(page == 2);
  if (page == 1) name_->SetFocus();
  if (page == 2) source_->SetFocus();
}

void TFrmNewProj::NextClick() {
  if (page_ == 1) {
    if (name_->Text().empty()) {
      MessageDlg("Please enter a name for your project", mtError, {mbOK}, 0);
      name_->SetFocus();
      return;
    }
    if (name_->Text().find('/') != std::string::npos) {
      MessageDlg("A project name cannot contain \"/\"", mtError, {mbOK}, 0);
      name_->SetFocus();
      return;
    }
  }
  ShowPage(page_ + 1);
}

bool TFrmNewProj::MakeFolder(TEdit* edit) {
  if (DirectoryExists(edit->Text())) return true;
  const std::string path = IncludeTrailingSlash(edit->Text());
  if (path.size() > 1) ForceDirectories(path);
  if (DirectoryExists(path)) return true;
  MessageDlg("Could not create directory: " + path, mtError, {mbOK}, 0);
  edit->SetFocus();
  return false;
}

void TFrmNewProj::FinishClick() {
  for (TEdit* edit : {source_, output_, images_})
    if (edit->Text().empty()) {
      MessageDlg("You must have a folder listed for each option", mtError, {mbOK}, 0);
      edit->SetFocus();
      return;
    }
  for (TEdit* edit : {source_, output_, images_})
    if (!MakeFolder(edit)) return;
  const std::string project = IncludeTrailingSlash(source_->Text()) + name_->Text() + ".orv";
  TIniFile ini(project);
  ini.WriteString("directories", "src", ExcludeTrailingSlash(source_->Text()));
  ini.WriteString("directories", "out", ExcludeTrailingSlash(output_->Text()));
  ini.WriteString("directories", "img", ExcludeTrailingSlash(images_->Text()));
  ini.WriteString("other", "imgprep", prefix_->Text());
  if (MessageDlg("Your Project has been Created.  If you wish to open it now Click \"Yes\" otherwise click \"No\"",
                 mtConfirmation, {mbYes, mbNo}, 0) == mrYes) {
    PostRecord(host_, ORV_MSG_OPEN_FILE, project);
  }
  SetModalResult(mrOk);
}

void TFrmNewProj::Browse(TEdit* edit) {
  std::string folder;
  if (browser_->Execute(folder)) edit->SetText(folder);
}

}  // namespace orv
