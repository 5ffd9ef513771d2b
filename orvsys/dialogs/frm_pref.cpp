#include "orvsys/dialogs/frm_pref.h"

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/common_dialogs.h"
#include "controls/edits.h"
#include "orv/host.h"
#include "orvsys/model/associations.h"
#include "orvsys/model/preferences.h"
#include "platform/window.h"

namespace orv {

TFrmPref::TFrmPref(HWND host) : TForm(nullptr), host_(host) {
  ReadFormResource(*this, {Field("CheckBox1", &TFrmPref::CheckBox1),
                           Field("CheckBox2", &TFrmPref::CheckBox2),
                           Field("CheckBox3", &TFrmPref::CheckBox3),
                           Field("RadioButton1", &TFrmPref::RadioButton1),
                           Field("RadioButton2", &TFrmPref::RadioButton2),
                           Field("Edit1", &TFrmPref::Edit1),
                           Field("Edit2", &TFrmPref::Edit2),
                           Field("Edit3", &TFrmPref::Edit3),
                           Field("CheckBox4", &TFrmPref::CheckBox4),
                           Field("Edit4", &TFrmPref::Edit4),
                           Field("Edit5", &TFrmPref::Edit5),
                           Field("Edit6", &TFrmPref::Edit6),
                           Field("Edit7", &TFrmPref::Edit7),
                           Field("CheckBox5", &TFrmPref::CheckBox5),
                           Field("CheckBox6", &TFrmPref::CheckBox6),
                           Field("Label15", &TFrmPref::Label15),
                           Field("FontDialog1", &TFrmPref::FontDialog1),
                           Field("Button5", &TFrmPref::Button5),
                           Field("CheckBox7", &TFrmPref::CheckBox7),
                           Handler("FormShow", &TFrmPref::FormShow),
                           Handler("CheckBox4Click", &TFrmPref::CheckBox4Click),
                           Handler("Button4Click", &TFrmPref::Button4Click),
                           Handler("Button5Click", &TFrmPref::Button5Click),
                           Handler("Button1Click", &TFrmPref::Button1Click),
                           Handler("Button3Click", &TFrmPref::Button3Click)});
}

void TFrmPref::FormShow(TObject*) {
  CheckBox3->SetVisible(false);
  const TPreferences prefs = ReadPreferences(PreferencesFile());
  RadioButton1->SetChecked(prefs.LowerTags);
  RadioButton2->SetChecked(!prefs.LowerTags);
  CheckBox1->SetChecked(prefs.SingleInstance);
  CheckBox3->SetChecked(prefs.LastProject);
  CheckBox2->SetChecked(prefs.NewEditor);
  Edit1->SetText(prefs.Email);
  Edit2->SetText(prefs.UserName);
  Edit3->SetText(prefs.SmtpHost);
  CheckBox5->SetChecked(prefs.Maximize);
  CheckBox6->SetChecked(prefs.Unix);
  CheckBox7->SetChecked(prefs.InsImg);
  Label15->Font()->SetName(prefs.FontName);
  Label15->Font()->SetSize(prefs.FontSize);
  CheckBox4->SetChecked(prefs.UseProxy);
  SetProxyEnabled(prefs.UseProxy);
  Edit4->SetText(prefs.ProxyServer);
  Edit5->SetText(prefs.ProxyPort);
  Edit6->SetText(prefs.ProxyUser);
  Edit7->SetText(prefs.ProxyPassword);
}

void TFrmPref::SetProxyEnabled(bool enabled) {
  for (TEdit* edit : {Edit4, Edit5, Edit6, Edit7}) {
    edit->SetEnabled(enabled);
    edit->SetColor(enabled ? clWindow : clBtnFace);
  }
}

void TFrmPref::CheckBox4Click(TObject*) { SetProxyEnabled(CheckBox4->Checked()); }

void TFrmPref::Button4Click(TObject*) {
  FontDialog1->Font()->Assign(Label15->Font());
  if (FontDialog1->Execute()) {
    Label15->Font()->SetName(FontDialog1->Font()->Name());
    Label15->Font()->SetSize(FontDialog1->Font()->Size());
  }
}

void TFrmPref::Button5Click(TObject*) {
  Button5->SetEnabled(false);
  try {
    const AssociationPaths paths = CurrentAssociationPaths();
    RegisterClassKeys(paths);
    RegisterDesktopTypes(paths, XdgDataHome());
  } catch (...) {
    Button5->SetEnabled(true);
    throw;
  }
  Button5->SetEnabled(true);
}

void TFrmPref::Button1Click(TObject*) {
  WritePreferences();
  SetModalResult(mrOk);
}

void TFrmPref::Button3Click(TObject*) { WritePreferences(); }

void TFrmPref::WritePreferences() {
  TPreferences prefs;
  prefs.LowerTags = RadioButton1->Checked();
  prefs.LastProject = CheckBox3->Checked();
  prefs.NewEditor = CheckBox2->Checked();
  prefs.SingleInstance = CheckBox1->Checked();
  prefs.Email = Edit1->Text();
  prefs.UserName = Edit2->Text();
  prefs.SmtpHost = Edit3->Text();
  prefs.Maximize = CheckBox5->Checked();
  prefs.Unix = CheckBox6->Checked();
  prefs.InsImg = CheckBox7->Checked();
  prefs.FontName = Label15->Font()->Name();
  prefs.FontSize = Label15->Font()->Size();
  prefs.UseProxy = CheckBox4->Checked();
  prefs.ProxyServer = Edit4->Text();
  prefs.ProxyPort = Edit5->Text();
  prefs.ProxyUser = Edit6->Text();
  prefs.ProxyPassword = Edit7->Text();
  orv::WritePreferences(PreferencesFile(), prefs);
  SendMessage(host_, ORV_MSG_PREFS_CHANGED, 0, 0);
}

}  // namespace orv
