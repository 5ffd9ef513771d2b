// orv_ui_click and orv_ui_set_text: a host without a toolkit drives the
// dialogs by window and control name, as a user would.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

#include "orv/sys.h"
#include "sys/error_box.h"

namespace {

QWidget* FindControl(const char* window, const char* control) {
  if (window == nullptr || control == nullptr || QApplication::instance() == nullptr) return nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && top->objectName() == window) {
      if (top->objectName() == control) return top;
      if (auto* found = top->findChild<QWidget*>(control)) return found;
    }
  return nullptr;
}

}  // namespace

extern "C" {

int32_t orv_ui_click(const char* window, const char* control) {
  return orv::Guarded(0, [&] {
    auto* button = qobject_cast<QAbstractButton*>(FindControl(window, control));
    if (button == nullptr) return 0;
    button->click();
    return 1;
  });
}

int32_t orv_ui_set_text(const char* window, const char* control, const char* text) {
  return orv::Guarded(0, [&] {
    auto* edit = qobject_cast<QLineEdit*>(FindControl(window, control));
    if (edit == nullptr) return 0;
    edit->setText(QString::fromUtf8(text ? text : ""));
    return 1;
  });
}

}  // extern "C"
