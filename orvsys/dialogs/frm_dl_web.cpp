#include "orvsys/dialogs/frm_dl_web.h"

#include <filesystem>
#include <optional>

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/dialogs.h"
#include "controls/edits.h"
#include "orv/host.h"
#include "orvsys/dialogs/error_box.h"
#include "orvsys/dialogs/host_messages.h"
#include "orvsys/model/preferences.h"
#include "platform/exception.h"
#include "platform/replacing_file.h"

namespace orv {

namespace {

std::string CurrentFolder() {
  std::error_code ignored;
  return std::filesystem::current_path(ignored).string();
}

}  // namespace

TFrmDlWeb::TFrmDlWeb(HWND host) : TForm(nullptr), host_(host) {
  ReadFormResource(*this, {Field("HttpCli1", &TFrmDlWeb::HttpCli1), Field("Edit1", &TFrmDlWeb::Edit1),
                           Field("Edit2", &TFrmDlWeb::Edit2), Field("Label4", &TFrmDlWeb::Label4),
                           Field("Button1", &TFrmDlWeb::Button1), Handler("Button1Click", &TFrmDlWeb::Button1Click),
                           Handler("FormClose", &TFrmDlWeb::FormClose)});
  Edit2->SetText(CurrentFolder());
  HttpCli1->OnDocData = [this](TObject*, const char*, size_t size) { ShowProgress(received_ + size); };
  HttpCli1->OnRequestDone = [this](TObject*, net::THttpRequest, uint16_t error) { done_error_ = error; };
}

void TFrmDlWeb::Button1Click(TObject*) { RetrieveClick(); }

void TFrmDlWeb::FormClose(TObject*, EventArgs&) {
  closing_ = true;
  HttpCli1->Abort();
}

void TFrmDlWeb::SetInputsEnabled(bool enabled) {
  Button1->SetEnabled(enabled);
  for (TEdit* edit : {Edit1, Edit2}) {
    edit->SetEnabled(enabled);
    edit->SetColor(enabled ? clWindow : clBtnFace);
  }
}

void TFrmDlWeb::ShowProgress(uint64_t bytes) {
  received_ = bytes;
  Label4->SetCaption(std::to_string(bytes) + " bytes");
}

void TFrmDlWeb::ReadProxySettings() {
  // The download takes no proxy port when none is stored.
  TPreferences defaults;
  defaults.ProxyPort.clear();
  const TPreferences prefs = ReadPreferences(PreferencesFile(), defaults);
  if (!prefs.UseProxy) return;
  HttpCli1->Proxy = prefs.ProxyServer;
  HttpCli1->ProxyPort = prefs.ProxyPort;
  if (!prefs.ProxyUser.empty()) HttpCli1->ProxyUsername = prefs.ProxyUser;
  if (!prefs.ProxyPassword.empty()) HttpCli1->ProxyPassword = prefs.ProxyPassword;
}

void TFrmDlWeb::RetrieveClick() {
  SetInputsEnabled(false);
  const std::string path = Edit2->Text();
  // The page goes to a file beside the target that replaces it only once the
  // whole page is in: a failed or cancelled download leaves the old file.
  std::optional<TReplacingFile> file;
  try {
    file.emplace(path);
  } catch (const EInOutError& error) {
    ShowError(error);
    return;
  }
  try {
    ReadProxySettings();
    HttpCli1->URL = Edit1->Text();
    HttpCli1->RcvdStream = &file->Stream();
    received_ = 0;
    done_error_ = 0;
    {
      TNetworkNotice notice(host_);
      HttpCli1->Get();
    }
    HttpCli1->RcvdStream = nullptr;
    if (closing_) return;
    // A request that got no answer (no such host, no connection, a failed
    // TLS handshake) saved nothing worth opening.
    if (done_error_ != 0) throw net::EHttpException(HttpCli1->ReasonPhrase(), done_error_);
    ShowProgress(static_cast<uint64_t>(file->Size()));
    file->Commit();
    PostRecord(host_, ORV_MSG_OPEN_FILE, path);
  } catch (const std::exception& error) {
    HttpCli1->RcvdStream = nullptr;
    MessageDlg(FailureText(error), mtError, {mbOK}, 0);
  }
  SetModalResult(mrCancel);
}

std::string TFrmDlWeb::FailureText(const std::exception& error) const {
  std::string text = "Failed : " + std::to_string(HttpCli1->StatusCode()) + " " + HttpCli1->ReasonPhrase();
  // What went wrong after the answer began (a transfer cut short, a reset, a
  // file that could not be written) is said on a line of its own.
  const std::string detail = error.what();
  if (!detail.empty() && detail != HttpCli1->ReasonPhrase()) text += "\n" + detail;
  return text;
}

}  // namespace orv
