#include "cc/frm_main.h"

#include <cstdio>

#include "cc/core_binding.h"
#include "components/form_resource.h"
#include "controls/application.h"
#include "controls/qt_application.h"
#include "orv/core.h"
#include "orv/myrecord.h"
#include "platform/integer_text.h"
#include "platform/message_service.h"
#include "platform/window.h"

namespace orv {
namespace {

// The close request the window posts itself once the build returned.
constexpr uint32_t WM_CLOSE = 0x0010;

}  // namespace

TFrmMain::TFrmMain(TComponent* owner, std::string project) : TForm(owner), project_(std::move(project)) {
  ReadFormResource(
      *this, {Field("Label1", &TFrmMain::Label1), Field("Edit1", &TFrmMain::Edit1), Field("Label2", &TFrmMain::Label2),
              Field("ProgressBar1", &TFrmMain::ProgressBar1), Field("Timer1", &TFrmMain::Timer1),
              Handler("FormCreate", &TFrmMain::FormCreate), Handler("FormActivate", &TFrmMain::FormActivate),
              Handler("Timer1Timer", &TFrmMain::Timer1Timer)});
}

void TFrmMain::FormCreate(TObject*) { first_activation_ = true; }

void TFrmMain::FormActivate(TObject*) {
  if (!first_activation_) return;
  first_activation_ = false;
  Timer1->SetEnabled(true);
}

void TFrmMain::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  CoreEntry core;
  std::string error;
  if (!LoadCore(core, error)) {
    exit_status_ = 3;
    ShowMessage(MessageKind::Error, "", "orvcc: " + error);
  } else if (!core.process_project(project_.c_str(), "", WindowHandle(), 0, 0)) {
    exit_status_ = 1;
    ShowMessage(MessageKind::Error, "", core.last_error());
  } else {
    exit_status_ = 0;
  }
  // Once the build is over and any error box answered, nothing is left to
  // wait for: the window closes and the program ends with the status.
  PostMessage(WindowHandle(), WM_CLOSE, 0, 0);
}

void TFrmMain::Dispatch(TMessage& message) {
  auto* record = reinterpret_cast<TMyRecord*>(message.LParam);
  switch (message.Msg) {
    case ORV_BUILD_SETRANGE: {
      int32_t range = 0;
      if (record) TryStrToInt(record->Field1, range);
      orv_myrecord_free(record);
      ProgressBar1->SetMax(range);
      return;
    }
    case ORV_BUILD_STEP: ProgressBar1->SetPosition(ProgressBar1->Position() + 1); return;
    case ORV_BUILD_RESET: ProgressBar1->SetPosition(0); return;
    case ORV_BUILD_FILE:
      if (record) Edit1->SetText(record->Field1);
      orv_myrecord_free(record);
      return;
    default: TForm::Dispatch(message);
  }
}

}  // namespace orv

extern "C" int orvcc_window_main(const char* project) {
  try {
    orv::EnsureQtApplication();
    orv::Application()->SetTitle("Quillon Compiler");
    if (!project) {
      orv::Beep();
      orv::ShowMessage(orv::MessageKind::Error, "", "No project specified");
      return 2;  // as the console form: nothing was built
    }
    orv::TFrmMain form(nullptr, project);
    orv::Application()->SetMainForm(&form);
    orv::Application()->Run();
    return form.ExitStatus() < 0 ? 1 : form.ExitStatus();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "orvcc: %s\n", error.what());
    return 1;
  }
}
