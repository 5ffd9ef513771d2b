#include "sys/frm_proj_pref.h"

#include "controls/containers.h"
#include "platform/files.h"
#include "sys/form_builder.h"

namespace orv {

TFrmProjPref::TFrmProjPref() : TForm(nullptr) {
  FormBuilder b(*this, "FrmProjPref", "Project Options", 400, 330);
  auto* ok = b.Add<TButton>(nullptr, 236, 296, 75, 25, "&OK");
  ok->SetDefault(true);
  b.CancelButton(316, 296);
  auto* pages = b.Add<TPageControl>(nullptr, 8, 8, 384, 280);

  TTabSheet* paths = b.Page(pages, "&Paths");
  auto* all = b.Add<TGroupBox>(paths, 8, 8, 360, 130, "&All Paths");
  b.Text(all, 12, 18, 336, 16, "You can modify your projects paths using the edit boxes below.");
  const char* prompts[] = {"Source Folder:", "Output Folder:", "Image Folder:"};
  TEdit** boxes[] = {&source_, &output_, &images_};
  for (int i = 0; i < 3; ++i) {
    b.Add<TLabel>(all, 12, 44 + i * 26, 90, 16, prompts[i]);
    *boxes[i] = b.Add<TEdit>(all, 104, 42 + i * 26, 244, 21);
  }
  auto* images = b.Add<TGroupBox>(paths, 8, 144, 360, 96, "Images");
  b.Text(images, 12, 18, 336, 36,
         "The text in the edit box below will be inserted before images in <img> tags created with includes");
  prefix_ = b.Add<TEdit>(images, 12, 60, 336, 21);

  TTabSheet* build = b.Page(pages, "&Build Options");
  auto* optimization = b.Add<TGroupBox>(build, 8, 8, 360, 200, "Optimization");
  b.Text(optimization, 12, 18, 336, 44,
         "Use the checkboxes below to tell ORV what items to parse for in your project (this helps to optimize "
         "the compiler)");
  TCheckBox** switches[] = {&vars_, &includes_, &scripts_, &ext_apps_, &databases_};
  const char* captions[] = {"&Variables", "&Includes", "&Scripts", "&External Applications", "&Databases"};
  for (int i = 0; i < 5; ++i) {
    *switches[i] = b.Add<TCheckBox>(optimization, 12, 66 + i * 24, 250, 20, captions[i]);
    (*switches[i])->SetChecked(true);
  }


  OnEvent(OnShow, [this] { FormShow(); });
  OnEvent(ok->OnClick, [this] { OkClick(); });
}

void TFrmProjPref::FormShow() {
  const std::string path = ProjectOptionsFile();
  if (FileExists(path)) {
    const TProjectOptions options = ReadProjectOptions(path);
    images_->SetText(options.ImageDir);
    source_->SetText(options.SourceDir);
    output_->SetText(options.OutputDir);
    prefix_->SetText(options.ImagePrefix);
    vars_->SetChecked(options.Vars);
    databases_->SetChecked(options.Databases);
    scripts_->SetChecked(options.Scripts);
    ext_apps_->SetChecked(options.ExtApps);
    includes_->SetChecked(options.Includes);
    DeleteFile(path);
  }
  databases_->SetVisible(false);
}

void TFrmProjPref::OkClick() {
  TProjectOptions options;
  options.ImageDir = images_->Text();
  options.SourceDir = source_->Text();
  options.OutputDir = output_->Text();
  options.ImagePrefix = prefix_->Text();
  options.Vars = vars_->Checked();
  options.Databases = databases_->Checked();
  options.Scripts = scripts_->Checked();
  options.ExtApps = ext_apps_->Checked();
  options.Includes = includes_->Checked();
  WriteProjectOptions(ProjectOptionsFile(), options);
  SetModalResult(mrOk);
}

}  // namespace orv
