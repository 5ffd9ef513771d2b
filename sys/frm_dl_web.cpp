#include "sys/frm_dl_web.h"

#include <QApplication>
#include <QStyle>
#include <filesystem>
#include <optional>

#include "controls/dialogs.h"
#include "orv/host.h"
#include "platform/exception.h"
#include "platform/ini_file.h"
#include "platform/replacing_file.h"
#include "sys/error_box.h"
#include "sys/form_builder.h"
#include "sys/host_messages.h"
#include "sys/preferences.h"

namespace orv {

namespace {

std::string CurrentFolder() {
  std::error_code ignored;
  return std::filesystem::current_path(ignored).string();
}

}  // namespace

TFrmDlWeb::TFrmDlWeb(HWND host) : TForm(nullptr), host_(host) {
  FormBuilder b(*this, "FrmDlWeb", "Open From the Web", 400, 150);
  b.Add<TLabel>(nullptr, 8, 12, 90, 16, "URL To Open:");
  url_ = b.Add<TEdit>(nullptr, 104, 10, 288, 21);
  url_->SetText("http://");
  b.Add<TLabel>(nullptr, 8, 42, 90, 16, "Save as:");
  file_ = b.Add<TEdit>(nullptr, 104, 40, 262, 21);
  file_->SetText(CurrentFolder());
  auto* save_glyph = b.Add<TSpeedButton>(nullptr, 370, 39, 22, 23);
  save_glyph->SetFlat(true);
  save_glyph->Glyph()->SetImage(
      QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton).pixmap(16, 16).toImage());
  b.Add<TLabel>(nullptr, 8, 76, 120, 16, "Download Progress:");
  progress_ = b.Add<TLabel>(nullptr, 136, 76, 200, 16, "0 bytes");
  retrieve_ = b.Add<TButton>(nullptr, 236, 116, 75, 25, "&Retrieve");
  retrieve_->SetDefault(true);
  b.CancelButton(317, 116);

  http_ = b.Component<net::THttpCli>();
  http_->Agent = "ORV/1.0 (Open From Web; 1.0)";
  http_->NoCache = true;
  http_->ProxyPort = "80";
  http_->ContentTypePost = "application/x-www-form-urlencoded";
  http_->MultiThreaded = true;
  http_->OnDocData = [this](TObject*, const char*, size_t size) { ShowProgress(received_ + size); };
  http_->OnRequestDone = [this](TObject*, net::THttpRequest, uint16_t error) { done_error_ = error; };

  OnEvent(retrieve_->OnClick, [this] { RetrieveClick(); });
  // However the dialog closes (Cancel, Escape, the window's close box), a
  // running download ends with it.
  OnEvent(OnClose, [this] {
    closing_ = true;
    http_->Abort();
  });
}

void TFrmDlWeb::SetInputsEnabled(bool enabled) {
  retrieve_->SetEnabled(enabled);
  for (TEdit* edit : {url_, file_}) {
    edit->SetEnabled(enabled);
    edit->SetColor(enabled ? clWindow : clBtnFace);
  }
}

void TFrmDlWeb::ShowProgress(uint64_t bytes) {
  received_ = bytes;
  progress_->SetCaption(std::to_string(bytes) + " bytes");
}

void TFrmDlWeb::ReadProxySettings() {
  const TIniFile prefs(PreferencesFile());
  if (!prefs.ReadBool("Proxy", "UseProxy", false)) return;
  http_->Proxy = prefs.ReadString("Proxy", "server", "");
  http_->ProxyPort = prefs.ReadString("Proxy", "port", "");
  if (std::string user = prefs.ReadString("Proxy", "username", ""); !user.empty()) http_->ProxyUsername = user;
  if (std::string password = prefs.ReadString("Proxy", "password", ""); !password.empty())
    http_->ProxyPassword = password;
}

void TFrmDlWeb::RetrieveClick() {
  SetInputsEnabled(false);
  const std::string path = file_->Text();
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
    http_->URL = url_->Text();
    http_->RcvdStream = &file->Stream();
    received_ = 0;
    done_error_ = 0;
    {
      TNetworkNotice notice(host_);
      http_->Get();
    }
    http_->RcvdStream = nullptr;
    if (closing_) return;
    // A request that got no answer (no such host, no connection, a failed
    // TLS handshake) saved nothing worth opening.
    if (done_error_ != 0) throw net::EHttpException(http_->ReasonPhrase(), done_error_);
    ShowProgress(static_cast<uint64_t>(file->Size()));
    file->Commit();
    PostRecord(host_, ORV_MSG_OPEN_FILE, path);
  } catch (const std::exception& error) {
    http_->RcvdStream = nullptr;
    MessageDlg(FailureText(error), mtError, {mbOK}, 0);
  }
  SetModalResult(mrCancel);
}

std::string TFrmDlWeb::FailureText(const std::exception& error) const {
  std::string text = "Failed : " + std::to_string(http_->StatusCode()) + " " + http_->ReasonPhrase();
  // What went wrong after the answer began (a transfer cut short, a reset, a
  // file that could not be written) is said on a line of its own.
  const std::string detail = error.what();
  if (!detail.empty() && detail != http_->ReasonPhrase()) text += "\n" + detail;
  return text;
}

}  // namespace orv
