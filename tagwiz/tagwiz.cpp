// The exports of libtagwiz.so: each makes its dialog for the one call, shows
// it modally and frees it; nothing thrown inside may leave through C.
#include "orv/tagwiz.h"

#include <functional>
#include <memory>

#include "controls/qt_application.h"
#include "platform/message_service.h"
#include "tagwiz/frm_activex.h"
#include "tagwiz/frm_css.h"
#include "tagwiz/frm_hyperlink.h"
#include "tagwiz/frm_java.h"
#include "tagwiz/frm_table.h"
#include "tagwiz/insert_markup.h"

namespace orv {
namespace {

// Shows an error that ended a dialog; showing it must not fail in turn.
void Report(const char* text) noexcept {
  try {
    ShowMessage(MessageKind::Error, "", text);
  } catch (...) {
  }
}

// Runs the form that `make` creates modally; 1 when it closed with OK. An
// error is shown to the user and gives 0.
uint8_t RunDialog(const std::function<std::unique_ptr<TForm>()>& make) noexcept {
  try {
    EnsureQtApplication();
    std::unique_ptr<TForm> form = make();
    return form->ShowModal() == mrOk ? 1 : 0;
  } catch (const std::exception& error) {
    Report(error.what());
  } catch (...) {
    Report("Unexpected error in a markup dialog");
  }
  return 0;
}

}  // namespace
}  // namespace orv

using orv::RunDialog;

extern "C" {

void ShowHLink(int32_t, HWND window) {
  RunDialog([&] { return std::make_unique<orv::TFrmHyperLink>(nullptr, window); });
}

uint8_t InsTable(int32_t, HWND window, const char* lower_case) {
  return RunDialog(
      [&] { return std::make_unique<orv::TFrmTable>(nullptr, window, orv::LowerCaseRequested(lower_case)); });
}

uint8_t InsCSS(int32_t, int32_t) {
  return RunDialog([] { return std::make_unique<orv::TFrmCSS>(nullptr); });
}

uint8_t InsActiveX(int32_t, HWND window, const char* lower_case) {
  return RunDialog(
      [&] { return std::make_unique<orv::TFrmActiveX>(nullptr, window, orv::LowerCaseRequested(lower_case)); });
}

uint8_t InsJavaApp(int32_t, HWND window, const char* lower_case) {
  return RunDialog(
      [&] { return std::make_unique<orv::TFrmJava>(nullptr, window, orv::LowerCaseRequested(lower_case)); });
}

}  // extern "C"
