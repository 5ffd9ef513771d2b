// orv_ui_click, orv_ui_set_text and orv_ui_text: a host without a toolkit
// drives the dialogs by window and control name, as a user would, and reads
// what they show.
#include <new>
#include <optional>
#include <string>

#include "controls/window_driver.h"
#include "orv/host.h"
#include "orv/sys.h"
#include "orvsys/dialogs/error_box.h"

extern "C" {

int32_t orv_ui_click(const char* window, const char* control) {
  return orv::Guarded(0, [&] {
    if (window == nullptr || control == nullptr) return 0;
    return orv::ClickShownControl(window, control) ? 1 : 0;
  });
}

int32_t orv_ui_set_text(const char* window, const char* control, const char* text) {
  return orv::Guarded(0, [&] {
    if (window == nullptr || control == nullptr) return 0;
    return orv::SetShownEditText(window, control, text ? text : "") ? 1 : 0;
  });
}

int32_t orv_ui_text(const char* window, const char* control, char** text) {
  return orv::Guarded(0, [&] {
    if (window == nullptr || control == nullptr || text == nullptr) return 0;
    const std::optional<std::string> shown = orv::ShownControlText(window, control);
    if (!shown) return 0;
    char* copy = orv_string_new(shown->c_str());
    if (copy == nullptr) throw std::bad_alloc();
    orv_string_free(*text);
    *text = copy;
    return 1;
  });
}

}  // extern "C"
