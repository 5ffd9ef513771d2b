// TFrmExcept: the "Error Center" of ExceptCenter. It names the kind of an
// error the editor caught with a short explanation and the error's message,
// and mails a bug report about the error and the machine to the maker
// ("&Report Bug"), asking for the user's mail identity (TFrmSetup) when the
// preferences lack it.
#pragma once

#include <string>

#include "controls/buttons.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/lists.h"
#include "orv/window.h"

namespace orv {

// The error as the editor reports it.
struct TErrorRecord {
  HWND Host = nullptr;
  std::string SenderClass;     // class name of the object that raised the error
  std::string ExceptionClass;  // selects the explanation
  std::string Message;
  std::string PrefsPath;       // where the mail identity is read and written
  std::string Method;          // where the error occurred
  std::string FileVersion;     // the editor's file version
  std::string FileName;        // the editor's file name
  int LastError = 0;           // the system's last error number when the error was reported
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
  void ShowSelectedExplanation();
  // Sends the report; false when anything failed.
  bool TrySendReport();

  TErrorRecord error_;
  TListView* list_ = nullptr;
  TMemo* details_ = nullptr;
  TLabel* sending_ = nullptr;
};

}  // namespace orv
