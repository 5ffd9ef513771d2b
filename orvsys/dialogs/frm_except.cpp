#include "orvsys/dialogs/frm_except.h"

#include <ctime>

#include "components/form_resource.h"
#include "controls/dialogs.h"
#include "controls/edits.h"
#include "controls/list_view.h"
#include "orvsys/dialogs/bug_report.h"
#include "orvsys/dialogs/error_box.h"
#include "orvsys/dialogs/frm_setup.h"
#include "orvsys/dialogs/host_messages.h"
#include "orvsys/model/error_kinds.h"
#include "orvsys/model/preferences.h"
#include "platform/message_service.h"
#include "platform/window.h"

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
  ReadFormResource(*this,
                   {Field("ListView1", &TFrmExcept::ListView1), Field("Edit1", &TFrmExcept::Edit1),
                    Field("Memo1", &TFrmExcept::Memo1), Field("Label4", &TFrmExcept::Label4),
                    Handler("FormShow", &TFrmExcept::FormShow), Handler("ListView1Click", &TFrmExcept::ListView1Click),
                    Handler("Button1Click", &TFrmExcept::Button1Click)});
  for (const std::string& name : ErrorKindNames()) ListView1->AddItem(name);
  // The search for the error's row starts after the first row.
  for (int row = 1; row < ListView1->ItemCount(); ++row)
    if (ListView1->Item(row).Caption == error_.ExceptionClass) {
      ListView1->SelectItem(row, true);
      break;
    }
  Memo1->Lines()->SetText(ErrorExplanation(error_.ExceptionClass));
  Edit1->SetText(error_.Message);
}

void TFrmExcept::FormShow(TObject*) { Beep(); }

void TFrmExcept::ListView1Click(TObject*) {
  const int row = ListView1->SelectedIndex();
  if (row >= 0) Memo1->Lines()->SetText(ErrorExplanation(ListView1->Item(row).Caption));
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
    Label4->SetVisible(true);
    TNetworkNotice notice(error_.Host);
    ProcessMessages();
    SendBugReport(mail, report);
    Label4->SetVisible(false);
    return true;
  } catch (...) {
    Label4->SetVisible(false);
    return false;
  }
}

void TFrmExcept::Button1Click(TObject*) { ReportBug(); }

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
