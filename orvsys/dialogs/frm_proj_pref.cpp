#include "orvsys/dialogs/frm_proj_pref.h"

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/edits.h"
#include "orvsys/model/project_options.h"
#include "platform/files.h"

namespace orv {

TFrmProjPref::TFrmProjPref() : TForm(nullptr) {
  ReadFormResource(*this, {Field("Edit1", &TFrmProjPref::Edit1), Field("Edit2", &TFrmProjPref::Edit2),
                           Field("Edit3", &TFrmProjPref::Edit3), Field("Edit4", &TFrmProjPref::Edit4),
                           Field("CheckBox1", &TFrmProjPref::CheckBox1), Field("CheckBox2", &TFrmProjPref::CheckBox2),
                           Field("CheckBox3", &TFrmProjPref::CheckBox3), Field("CheckBox4", &TFrmProjPref::CheckBox4),
                           Field("CheckBox5", &TFrmProjPref::CheckBox5), Handler("FormShow", &TFrmProjPref::FormShow),
                           Handler("Button1Click", &TFrmProjPref::Button1Click)});
}

void TFrmProjPref::FormShow(TObject*) {
  const std::string path = ProjectOptionsFile();
  if (FileExists(path)) {
    const TProjectOptions options = ReadProjectOptions(path);
    Edit3->SetText(options.ImageDir);
    Edit1->SetText(options.SourceDir);
    Edit2->SetText(options.OutputDir);
    Edit4->SetText(options.ImagePrefix);
    CheckBox1->SetChecked(options.Vars);
    CheckBox5->SetChecked(options.Databases);
    CheckBox3->SetChecked(options.Scripts);
    CheckBox4->SetChecked(options.ExtApps);
    CheckBox2->SetChecked(options.Includes);
    DeleteFile(path);
  }
  CheckBox5->SetVisible(false);
}

void TFrmProjPref::Button1Click(TObject*) {
  TProjectOptions options;
  options.ImageDir = Edit3->Text();
  options.SourceDir = Edit1->Text();
  options.OutputDir = Edit2->Text();
  options.ImagePrefix = Edit4->Text();
  options.Vars = CheckBox1->Checked();
  options.Databases = CheckBox5->Checked();
  options.Scripts = CheckBox3->Checked();
  options.ExtApps = CheckBox4->Checked();
  options.Includes = CheckBox2->Checked();
  WriteProjectOptions(ProjectOptionsFile(), options);
  SetModalResult(mrOk);
}

}  // namespace orv
