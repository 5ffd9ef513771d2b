// TFrmMain: orvcc's progress window. It shows the file being built and a
// progress bar, starts the build from a one-shot timer once the window is
// first activated (so it is painted first), follows the build's progress
// messages, and closes itself by a posted close request when the build is
// over. An error that ends the build is shown in an error box; once it is
// answered the window closes too, and the program ends with status 1.
#pragma once

#include <string>

#include "controls/edits.h"
#include "controls/form.h"
#include "controls/lists.h"
#include "controls/timer.h"

namespace orv {

// The window; its layout is frm_main.dfm.
class TFrmMain : public TForm {
 public:
  // Builds `project` once shown.
  TFrmMain(TComponent* owner, std::string project);
  std::string ClassName() const override { return "TFrmMain"; }

  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;
  TLabel* Label2 = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TTimer* Timer1 = nullptr;

  // 0 when the build is over, 1 when an error ended it, 3 when the core
  // library or its entry point is missing; -1 before the build ran.
  int ExitStatus() const { return exit_status_; }

 protected:
  void Dispatch(TMessage& message) override;

 private:
  void FormCreate(TObject* sender);
  void FormActivate(TObject* sender);
  void Timer1Timer(TObject* sender);

  std::string project_;
  bool first_activation_ = false;
  int exit_status_ = -1;
};

}  // namespace orv

// Runs orvcc's window for `project` (null: none was given) and returns the
// program's exit status. Without a project it beeps and says "No project
// specified" in an error box, and ends with status 2 as the console form does.
extern "C" int orvcc_window_main(const char* project);
