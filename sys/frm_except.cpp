#include "sys/frm_except.h"

#include <QApplication>
#include <QStyle>
#include <ctime>

#include "controls/dialogs.h"
#include "controls/graphic_controls.h"
#include "platform/message_service.h"
#include "platform/window.h"
#include "sys/bug_report.h"
#include "sys/error_box.h"
#include "sys/error_kinds.h"
#include "sys/form_builder.h"
#include "sys/frm_setup.h"
#include "sys/host_messages.h"
#include "sys/preferences.h"

namespace orv {

namespace {

constexpr const char* kThanks =
    "Thank you for sending us a bug report.\r\n"
    "\r\n"
    "While we are unable to reply to all reports, we\r\n"
    "do read every one, and do our best to impliment\r\n"
    "fixes as soon as possible.\r\n"
    "\r\n"
    "You won't see this message again.";

}  // namespace

TFrmExcept::TFrmExcept(TErrorRecord error) : TForm(nullptr), error_(std::move(error)) {
  FormBuilder b(*this, "FrmExcept", "Error Center", 470, 300);
  b.Text(nullptr, 8, 8, 390, 44,
         "The Error Center provides you with information on any errors which occur.  Use the \"Report Bug\" "
         "button to mail a bug report to Morvale.");
  auto* picture = b.Add<TImage>(nullptr, 414, 8, 48, 48);
  picture->Picture()->SetImage(
      QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(48, 48).toImage());
  list_ = b.Add<TListView>(nullptr, 8, 60, 190, 200);
  list_->SetViewStyle(vsReport);
  list_->SetReadOnly(true);
  list_->AddColumn("Error Codes", 170);
  for (const std::string& name : ErrorKindNames()) list_->AddItem(name);
  b.Add<TLabel>(nullptr, 208, 60, 60, 16, "Error:");
  auto* message = b.Add<TEdit>(nullptr, 208, 78, 254, 21);
  message->SetReadOnly(true);
  b.Add<TLabel>(nullptr, 208, 108, 60, 16, "Details:");
  details_ = b.Add<TMemo>(nullptr, 208, 126, 254, 134);
  details_->SetReadOnly(true);
  details_->Lines()->SetText("When you click on an error, you will \r\nsee it's details here.");
  sending_ = b.Add<TLabel>(nullptr, 8, 274, 160, 16, "Sending Bug Report...");
  sending_->SetVisible(false);
  auto* report = b.Add<TButton>(nullptr, 306, 268, 75, 25, "&Report Bug");
  auto* close = b.Add<TButton>(nullptr, 387, 268, 75, 25, "&Close");
  close->SetDefault(true);
  close->SetCancel(true);
  close->SetModalResult(mrCancel);

  // The search for the error's row starts after the first row.
  for (int row = 1; row < list_->ItemCount(); ++row)
    if (list_->Item(row).Caption == error_.ExceptionClass) {
      list_->SelectItem(row, true);
      break;
    }
  details_->Lines()->SetText(ErrorExplanation(error_.ExceptionClass));
  message->SetText(error_.Message);

  OnEvent(OnShow, [] { Beep(); });
  OnEvent(list_->OnClick, [this] { ShowSelectedExplanation(); });
  OnEvent(report->OnClick, [this] { ReportBug(); });
}

void TFrmExcept::ShowSelectedExplanation() {
  const int row = list_->SelectedIndex();
  if (row >= 0) details_->Lines()->SetText(ErrorExplanation(list_->Item(row).Caption));
}

bool TFrmExcept::TrySendReport() {
  try {
    TBugReport report = MachineReport(std::time(nullptr), error_.LastError);
    report.ErrorMessage = error_.Message;
    report.Method = error_.Method;
    report.FileName = error_.FileName;
    report.FileVersion = error_.FileVersion;
    report.SenderClass = error_.SenderClass;
    TMailSettings mail = ReadMailSettings(error_.PrefsPath);
    if (!mail.Complete()) {
      TFrmSetup setup(mail);
      if (setup.ShowModal() == mrOk) WriteMailSettings(error_.PrefsPath, setup.Settings());
      mail = setup.Settings();
      // Without a whole identity nothing is sent, so the host hears of no network operation.
      if (!mail.Complete()) return false;
    }
    sending_->SetVisible(true);
    TNetworkNotice notice(error_.Host);
    ProcessMessages();
    SendBugReport(mail, report);
    sending_->SetVisible(false);
    return true;
  } catch (...) {
    sending_->SetVisible(false);
    return false;
  }
}

void TFrmExcept::ReportBug() {
  if (!TrySendReport()) MessageDlg("There was an error sending mail", mtError, {mbOK}, 0);
  const std::string preferences = PreferencesFile();
  try {
    if (!BugReportThanked(preferences)) {
      MessageDlg(kThanks, mtInformation, {mbOK}, 0);
      SetBugReportThanked(preferences);
    }
  } catch (const std::exception& failure) {
    ShowError(failure);
  }
  SetModalResult(mrCancel);
}

}  // namespace orv
