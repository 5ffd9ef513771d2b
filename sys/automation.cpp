// orv_ui_click, orv_ui_set_text and orv_ui_text: a host without a toolkit
// drives the dialogs by window and control name, as a user would, and reads
// what they show.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <new>

#include "orv/host.h"
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

// The text a control shows to the user; null for a control without one.
const QString* ShownText(QWidget* control, QString& text) {
  if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
  else if (auto* edit = qobject_cast<QLineEdit*>(control)) text = edit->text();
  else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) text = memo->toPlainText();
  else if (auto* combo = qobject_cast<QComboBox*>(control)) text = combo->currentText();
  else if (auto* button = qobject_cast<QAbstractButton*>(control)) text = button->text();
  else return nullptr;
  return &text;
}

}  // namespace

extern "C" {

int32_t orv_ui_click(const char* window, const char* control) {
  return orv::Guarded(0, [&] {
    // A user cannot press a greyed-out button; the host learns it did not happen.
    auto* button = qobject_cast<QAbstractButton*>(FindControl(window, control));
    if (button == nullptr || !button->isEnabled()) return 0;
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

int32_t orv_ui_text(const char* window, const char* control, char** text) {
  return orv::Guarded(0, [&] {
    QString shown;
    if (text == nullptr || ShownText(FindControl(window, control), shown) == nullptr) return 0;
    char* copy = orv_string_new(shown.toUtf8().constData());
    if (copy == nullptr) throw std::bad_alloc();
    orv_string_free(*text);
    *text = copy;
    return 1;
  });
}

}  // extern "C"
