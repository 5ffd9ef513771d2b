// TFrmExcept: the "Error Center" of ExceptCenter. It names the kind of an
// error the editor caught with a short explanation and the error's message,
// and mails a bug report about the error and the machine to the maker
// ("&Report Bug"), asking for the user's mail identity (TFrmSetup) when the
// preferences lack it. Its layout is frm_except.dfm.
#pragma once

#include <string>

#include "controls/form.h"
#include "orv/window.h"

namespace orv {

class TEdit;
class TLabel;
class TListView;
class TMemo;

// The error as the editor reports it.
struct TErrorRecord {
  HWND Host = nullptr;
  std::string SenderClass;     // class name of the object that raised the error
  std::string ExceptionClass;  // selects the explanation
  std::string Message;
  std::string PrefsPath;    // where the mail identity is read and written
  std::string Method;       // where the error occurred
  std::string FileVersion;  // the editor's file version
  std::string FileName;     // the editor's file name
  int LastError = 0;        // the system's last error number when the error was reported
};

// The error centre; lives for one ExceptCenter call. Both of its ways out
// end it with the Cancel result.
class TFrmExcept : public TForm {
 public:
  explicit TFrmExcept(TErrorRecord error);
  std::string ClassName() const override { return "TFrmExcept"; }

  // Sends the bug report, says so when that failed, thanks the user once,
  // and closes the dialog.
  void ReportBug();

 private:
  void FormShow(TObject* sender);
  void ListView1Click(TObject* sender);
  void Button1Click(TObject* sender);
  // Sends the report; false when anything failed.
  bool TrySendReport();

  TErrorRecord error_;
  TListView* ListView1 = nullptr;  // the error kinds
  TEdit* Edit1 = nullptr;          // the error's message
  TMemo* Memo1 = nullptr;          // the explanation
  TLabel* Label4 = nullptr;        // "Sending Bug Report..."
};

}  // namespace orv
