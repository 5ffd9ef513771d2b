#include "sys/frm_setup.h"

#include <utility>

#include "controls/buttons.h"
#include "sys/form_builder.h"

namespace orv {

TFrmSetup::TFrmSetup(const TMailSettings& current) : TForm(nullptr) {
  FormBuilder b(*this, "FrmSetup", "Mail Options", 340, 164);
  b.Text(nullptr, 8, 8, 324, 32, "In order to send a bug report you must enter your email information");
  const std::pair<TEdit**, const char*> rows[] = {
      {&name_, "Your Name:"}, {&email_, "Your Email Address:"}, {&smtp_, "Your SMTP Server:"}};
  int top = 48;
  for (const auto& [edit, caption] : rows) {
    b.Add<TLabel>(nullptr, 8, top + 2, 120, 16, caption);
    *edit = b.Add<TEdit>(nullptr, 136, top, 196, 21);
    top += 26;
  }
  b.OkButton(176, 132);
  b.CancelButton(257, 132);
  name_->SetText(current.UserName);
  email_->SetText(current.Email);
  smtp_->SetText(current.SmtpHost);
}

TMailSettings TFrmSetup::Settings() const { return {name_->Text(), email_->Text(), smtp_->Text()}; }

}  // namespace orv
