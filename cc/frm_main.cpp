#include "cc/frm_main.h"

#include <cstdio>

#include "cc/core_binding.h"
#include "components/form_reader.h"
#include "components/published.h"
#include "controls/application.h"
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

const char* const kFrmMainForm =
    "object FrmMain: TFrmMain\n"
    "  BorderStyle = bsDialog\n"
    "  Caption = 'Quillon Compiler'\n"
    "  ClientHeight = 109\n"
    "  ClientWidth = 313\n"
    "  Position = poScreenCenter\n"
    "  ActiveControl = ProgressBar1\n"
    "  OnActivate = FormActivate\n"
    "  OnCreate = FormCreate\n"
    "  object Label1: TLabel\n"
    "    Left = 12\n"
    "    Top = 8\n"
    "    Caption = 'Compiling File:'\n"
    "  end\n"
    "  object Edit1: TEdit\n"
    "    Left = 12\n"
    "    Top = 24\n"
    "    Width = 293\n"
    "    Height = 21\n"
    "    TabStop = False\n"
    "    BorderStyle = bsNone\n"
    "    Color = clBtnFace\n"
    "    Ctl3D = False\n"
    "    Text = 'Preparing...'\n"
    "  end\n"
    "  object Label2: TLabel\n"
    "    Left = 12\n"
    "    Top = 60\n"
    "    Caption = 'Compile Progress:'\n"
    "  end\n"
    "  object ProgressBar1: TProgressBar\n"
    "    Left = 12\n"
    "    Top = 76\n"
    "    Width = 293\n"
    "    Height = 16\n"
    "  end\n"
    "  object Timer1: TTimer\n"
    "    Enabled = False\n"
    "    Interval = 10\n"
    "    OnTimer = Timer1Timer\n"
    "  end\n"
    "end\n";

TFrmMain::TFrmMain(TComponent* owner, std::string project) : TForm(owner), project_(std::move(project)) {
  static const bool registered = [] {
    RegisterClassDescriptor({"TFrmMain", "TForm", nullptr, {}});
    return true;
  }();
  (void)registered;
  auto handler = [this](void (TFrmMain::*member)(TObject*)) {
    return [this, member](TObject* sender, EventArgs&) { (this->*member)(sender); };
  };
  ReadFormWithHandlers(kFrmMainForm, *this, "FrmMain",
                       {{"FormCreate", handler(&TFrmMain::FormCreate)},
                        {"FormActivate", handler(&TFrmMain::FormActivate)},
                        {"Timer1Timer", handler(&TFrmMain::Timer1Timer)}});
  Label1 = dynamic_cast<TLabel*>(FindComponent("Label1"));
  Edit1 = dynamic_cast<TEdit*>(FindComponent("Edit1"));
  Label2 = dynamic_cast<TLabel*>(FindComponent("Label2"));
  ProgressBar1 = dynamic_cast<TProgressBar*>(FindComponent("ProgressBar1"));
  Timer1 = dynamic_cast<TTimer*>(FindComponent("Timer1"));
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
    case ORV_BUILD_STEP:
      ProgressBar1->SetPosition(ProgressBar1->Position() + 1);
      return;
    case ORV_BUILD_RESET:
      ProgressBar1->SetPosition(0);
      return;
    case ORV_BUILD_FILE:
      if (record) Edit1->SetText(record->Field1);
      orv_myrecord_free(record);
      return;
    default:
      TForm::Dispatch(message);
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
