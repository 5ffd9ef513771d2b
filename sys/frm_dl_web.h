// TFrmDlWeb: "Open From the Web" (DlFromWeb). It fetches one URL with the
// HTTP client (through the proxy of preferences.dat), saves the body to the
// file named in "Save as:" (replacing it only once the whole body is in),
// shows the bytes received as they come, and asks the editor to open the file
// (message 3037). Cancel aborts a running download.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "controls/buttons.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "orv/window.h"
#include "sys/net/http_cli.h"

namespace orv {

// The download dialog; lives for one DlFromWeb call. Every way out ends it
// with the Cancel result.
class TFrmDlWeb : public TForm {
 public:
  explicit TFrmDlWeb(HWND host);
  std::string ClassName() const override { return "TFrmDlWeb"; }

  // The dialog's HTTP client ("HttpCli1").
  net::THttpCli& HttpCli() { return *http_; }

  // Downloads the URL into the file and hands the file to the editor.
  void RetrieveClick();

 private:
  void SetInputsEnabled(bool enabled);
  // Sets the client's proxy from the Proxy section of preferences.dat.
  void ReadProxySettings();
  void ShowProgress(uint64_t bytes);
  // "Failed : <status> <reason>", and the error's own text when it says more.
  std::string FailureText(const std::exception& error) const;

  HWND host_;
  net::THttpCli* http_ = nullptr;
  TEdit* url_ = nullptr;
  TEdit* file_ = nullptr;
  TLabel* progress_ = nullptr;
  TButton* retrieve_ = nullptr;
  uint64_t received_ = 0;
  uint16_t done_error_ = 0;
  bool closing_ = false;
};

}  // namespace orv
