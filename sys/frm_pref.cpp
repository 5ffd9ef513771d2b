#include "sys/frm_pref.h"

#include "controls/containers.h"
#include "orv/host.h"
#include "platform/window.h"
#include "sys/associations.h"
#include "sys/error_box.h"
#include "sys/form_builder.h"

namespace orv {

TFrmPref::TFrmPref(HWND host) : TForm(nullptr), host_(host) {
  FormBuilder b(*this, "FrmPref", "Preferences", 420, 390);
  auto* ok = b.Add<TButton>(nullptr, 176, 354, 75, 25, "&OK");
  ok->SetDefault(true);
  b.CancelButton(256, 354);
  auto* apply = b.Add<TButton>(nullptr, 336, 354, 75, 25, "&Apply");
  auto* pages = b.Add<TPageControl>(nullptr, 8, 8, 404, 336);

  TTabSheet* general = b.Page(pages, "&General");
  auto* environment = b.Add<TGroupBox>(general, 8, 8, 380, 150, "Environment");
  b.Text(environment, 12, 20, 356, 30,
         "You can control ORV's startup environment by modifying the options below.");
  b.Text(environment, 12, 52, 356, 16, "These options will not take effect until ORV is restarted");
  single_ = b.Add<TCheckBox>(environment, 12, 74, 300, 20, "Prevent Multiple Instances");
  single_->SetVisible(false);
  new_editor_ = b.Add<TCheckBox>(environment, 12, 96, 300, 20, "Always start with new Document");
  last_project_ = b.Add<TCheckBox>(environment, 12, 118, 300, 20, "Reopen last used project");
  auto* tags = b.Add<TGroupBox>(general, 8, 166, 380, 130, "HTML Tags");
  b.Text(tags, 12, 20, 356, 46,
         "Use the checkbox below to configure the default behaviour of ORV when sending HTML to the editor");
  lower_ = b.Add<TRadioButton>(tags, 12, 70, 300, 20, "Always use Lowercase Tags");
  upper_ = b.Add<TRadioButton>(tags, 12, 94, 300, 20, "Always use Uppercase Tags");

  TTabSheet* internet = b.Page(pages, "&Internet");
  auto* mail = b.Add<TGroupBox>(internet, 8, 8, 380, 126, "&Email");
  b.Text(mail, 12, 18, 356, 30,
         "If you wish to send bug reports in the event of an error, provide your email information here");
  b.Add<TLabel>(mail, 12, 52, 110, 16, "EMail Address:");
  email_ = b.Add<TEdit>(mail, 130, 50, 238, 21);
  b.Add<TLabel>(mail, 12, 76, 110, 16, "Your Name:");
  user_name_ = b.Add<TEdit>(mail, 130, 74, 238, 21);
  b.Add<TLabel>(mail, 12, 100, 110, 16, "SMTP Server:");
  smtp_ = b.Add<TEdit>(mail, 130, 98, 238, 21);
  auto* proxy = b.Add<TGroupBox>(internet, 8, 140, 380, 160, "&Proxy Settings");
  b.Text(proxy, 12, 18, 356, 44,
         "If you use a proxy to connect to the web, please provide your information here.  This is used when "
         "ORV needs to connect to the web.");
  use_proxy_ = b.Add<TCheckBox>(proxy, 12, 62, 200, 20, "Use Proxy");
  b.Add<TLabel>(proxy, 12, 86, 140, 16, "Proxy Server and Port:");
  proxy_server_ = b.Add<TEdit>(proxy, 160, 84, 150, 21);
  proxy_port_ = b.Add<TEdit>(proxy, 316, 84, 52, 21);
  b.Add<TLabel>(proxy, 12, 110, 140, 16, "Proxy Username:");
  proxy_user_ = b.Add<TEdit>(proxy, 160, 108, 208, 21);
  b.Add<TLabel>(proxy, 12, 134, 140, 16, "Proxy Password:");
  proxy_password_ = b.Add<TEdit>(proxy, 160, 132, 208, 21);
  proxy_password_->SetPasswordChar("*");

  TTabSheet* editor = b.Page(pages, "&Editor");
  auto* display = b.Add<TGroupBox>(editor, 8, 8, 380, 76, "Display");
  b.Text(display, 12, 18, 356, 32,
         "By default editor windows open small.  If you check the box below it will force ORV to open editor "
         "windows maximized");
  maximize_ = b.Add<TCheckBox>(display, 12, 52, 200, 20, "Always Maximize");
  auto* format = b.Add<TGroupBox>(editor, 8, 88, 380, 90, "Save Format");
  b.Text(format, 12, 18, 356, 46,
         "By default ORV saves your documents in Windows text format.  You can choose to have your documents "
         "saved in UNIX format by checking the box below.");
  unix_ = b.Add<TCheckBox>(format, 12, 64, 200, 20, "Save in UNIX Format");
  auto* font = b.Add<TGroupBox>(editor, 8, 182, 380, 120, "Font");
  b.Text(font, 12, 18, 356, 30,
         "You can change the default font used by the Editor by clicking the button below.");
  auto* current = b.Add<TGroupBox>(font, 12, 50, 260, 60, "Current Font:");
  font_sample_ = b.Add<TLabel>(current, 10, 22, 240, 30, "Default ORV Editor Font");
  font_sample_->SetAutoSize(false);
  font_sample_->SetBounds(10, 22, 240, 30);
  font_sample_->SetParentFont(false);
  auto* change = b.Add<TButton>(font, 284, 70, 84, 25, "Change");
  font_dialog_ = b.Component<TFontDialog>();

  TTabSheet* extras = b.Page(pages, "E&xtras");
  auto* associations = b.Add<TGroupBox>(extras, 8, 8, 380, 100, "Associations");
  b.Text(associations, 12, 18, 356, 44,
         "Sometimes Windows forgets icons and shell associations.  You can use the button below to reset ORV's "
         "associations and icons");
  reset_ = b.Add<TButton>(associations, 12, 66, 140, 25, "&Reset Associations");
  auto* images = b.Add<TGroupBox>(extras, 8, 114, 380, 100, "Insert Images");
  b.Text(images, 12, 18, 356, 44,
         "When using the Insert Images button or menu item, you can use the local path, or the image prefix.  "
         "ORV uses the projects image prefix by default");
  ins_img_ = b.Add<TCheckBox>(images, 12, 68, 250, 20, "Use Projects Image Prefix");


  OnEvent(OnShow, [this] { FormShow(); });
  OnEvent(use_proxy_->OnClick, [this] { SetProxyEnabled(use_proxy_->Checked()); });
  OnEvent(change->OnClick, [this] { ChangeFont(); });
  OnEvent(reset_->OnClick, [this] { ResetAssociations(); });
  OnEvent(ok->OnClick, [this] {
    WritePreferences();
    SetModalResult(mrOk);
  });
  OnEvent(apply->OnClick, [this] { WritePreferences(); });
}

void TFrmPref::FormShow() {
  last_project_->SetVisible(false);
  const TPreferences prefs = ReadPreferences(PreferencesFile());
  lower_->SetChecked(prefs.LowerTags);
  upper_->SetChecked(!prefs.LowerTags);
  single_->SetChecked(prefs.SingleInstance);
  last_project_->SetChecked(prefs.LastProject);
  new_editor_->SetChecked(prefs.NewEditor);
  email_->SetText(prefs.Email);
  user_name_->SetText(prefs.UserName);
  smtp_->SetText(prefs.SmtpHost);
  maximize_->SetChecked(prefs.Maximize);
  unix_->SetChecked(prefs.Unix);
  ins_img_->SetChecked(prefs.InsImg);
  font_sample_->Font()->SetName(prefs.FontName);
  font_sample_->Font()->SetSize(prefs.FontSize);
  use_proxy_->SetChecked(prefs.UseProxy);
  SetProxyEnabled(prefs.UseProxy);
  proxy_server_->SetText(prefs.ProxyServer);
  proxy_port_->SetText(prefs.ProxyPort);
  proxy_user_->SetText(prefs.ProxyUser);
  proxy_password_->SetText(prefs.ProxyPassword);
}

void TFrmPref::SetProxyEnabled(bool enabled) {
  for (TEdit* edit : {proxy_server_, proxy_port_, proxy_user_, proxy_password_}) {
    edit->SetEnabled(enabled);
    edit->SetColor(enabled ? clWindow : clBtnFace);
  }
}

void TFrmPref::ChangeFont() {
  font_dialog_->Font()->Assign(font_sample_->Font());
  if (font_dialog_->Execute()) {
    font_sample_->Font()->SetName(font_dialog_->Font()->Name());
    font_sample_->Font()->SetSize(font_dialog_->Font()->Size());
  }
}

void TFrmPref::ResetAssociations() {
  reset_->SetEnabled(false);
  try {
    const AssociationPaths paths = CurrentAssociationPaths();
    RegisterClassKeys(paths);
    RegisterDesktopTypes(paths, XdgDataHome());
  } catch (...) {
    reset_->SetEnabled(true);
    throw;
  }
  reset_->SetEnabled(true);
}

void TFrmPref::WritePreferences() {
  TPreferences prefs;
  prefs.LowerTags = lower_->Checked();
  prefs.LastProject = last_project_->Checked();
  prefs.NewEditor = new_editor_->Checked();
  prefs.SingleInstance = single_->Checked();
  prefs.Email = email_->Text();
  prefs.UserName = user_name_->Text();
  prefs.SmtpHost = smtp_->Text();
  prefs.Maximize = maximize_->Checked();
  prefs.Unix = unix_->Checked();
  prefs.InsImg = ins_img_->Checked();
  prefs.FontName = font_sample_->Font()->Name();
  prefs.FontSize = font_sample_->Font()->Size();
  prefs.UseProxy = use_proxy_->Checked();
  prefs.ProxyServer = proxy_server_->Text();
  prefs.ProxyPort = proxy_port_->Text();
  prefs.ProxyUser = proxy_user_->Text();
  prefs.ProxyPassword = proxy_password_->Text();
  orv::WritePreferences(PreferencesFile(), prefs);
  SendMessage(host_, ORV_MSG_PREFS_CHANGED, 0, 0);
}

}  // namespace orv
