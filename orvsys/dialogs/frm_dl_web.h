// TFrmDlWeb: "Open From the Web" (DlFromWeb, frm_dl_web.dfm). It fetches one URL with the
// HTTP client (through the proxy of preferences.dat), saves the body to the
// file named in "Save as:" (replacing it only once the whole body is in),
// shows the bytes received as they come, and asks the editor to open the file
// (message 3037). Cancel aborts a running download.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "components/net/http_cli.h"
#include "controls/form.h"
#include "orv/window.h"

namespace orv {

class TButton;
class TEdit;
class TLabel;

// The download dialog; lives for one DlFromWeb call. Every way out ends it
// with the Cancel result.
class TFrmDlWeb : public TForm {
 public:
  explicit TFrmDlWeb(HWND host);
  std::string ClassName() const override { return "TFrmDlWeb"; }

  // The dialog's HTTP client ("HttpCli1").
  net::THttpCli& HttpCli() { return *HttpCli1; }

  // Downloads the URL into the file and hands the file to the editor.
  void RetrieveClick();

 private:
  void Button1Click(TObject* sender);
  // However the dialog closes (Cancel, Escape, the window's close box), a
  // running download ends with it.
  void FormClose(TObject* sender, EventArgs& args);
  void SetInputsEnabled(bool enabled);
  // Sets the client's proxy from the Proxy section of preferences.dat.
  void ReadProxySettings();
  void ShowProgress(uint64_t bytes);
  // "Failed : <status> <reason>", and the error's own text when it says more.
  std::string FailureText(const std::exception& error) const;

  HWND host_;
  net::THttpCli* HttpCli1 = nullptr;
  TEdit* Edit1 = nullptr;      // the URL
  TEdit* Edit2 = nullptr;      // the file
  TLabel* Label4 = nullptr;    // the bytes received
  TButton* Button1 = nullptr;  // "&Retrieve"
  uint64_t received_ = 0;
  uint16_t done_error_ = 0;
  bool closing_ = false;
};

}  // namespace orv
