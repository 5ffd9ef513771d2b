#include "orvsys/publish_dialog/publish_dialog.h"

#include <cstdio>
#include <exception>
#include <string>

#include "controls/qt_application.h"
#include "orvsys/publish_dialog/frm_publish.h"

extern "C" int32_t orv_publish_dialog(const char* folder, const char* site, HWND, char* reason,
                                      size_t reason_size) {
  std::string failure;
  try {
    orv::EnsureQtApplication();
    orv::TFrmPublish dialog(folder ? folder : "", site ? site : "");
    dialog.ShowModal();
    return 1;
  } catch (const std::exception& error) {
    failure = error.what();
  } catch (...) {
    failure = "Unknown error";
  }
  if (reason != nullptr && reason_size > 0) std::snprintf(reason, reason_size, "%s", failure.c_str());
  return 0;
}
