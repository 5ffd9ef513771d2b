#include "controls/window_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "controls/qt_text.h"

namespace orv {
namespace {

// The control named `control` of the shown top-level window named `window`
// (the window itself when both names are the same); null when none.
QWidget* FindShownControl(const std::string& window, const std::string& control) {
  if (QApplication::instance() == nullptr) return nullptr;
  const QString window_name = ToQString(window);
  const QString control_name = ToQString(control);
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->isVisible() && top->objectName() == window_name) {
      if (top->objectName() == control_name) return top;
      if (auto* found = top->findChild<QWidget*>(control_name)) return found;
    }
  return nullptr;
}

}  // namespace

bool ClickShownControl(const std::string& window, const std::string& control) {
  auto* button = qobject_cast<QAbstractButton*>(FindShownControl(window, control));
  if (button == nullptr || !button->isEnabled()) return false;
  button->click();
  return true;
}

bool SetShownEditText(const std::string& window, const std::string& control, const std::string& text) {
  auto* edit = qobject_cast<QLineEdit*>(FindShownControl(window, control));
  if (edit == nullptr) return false;
  edit->setText(ToQString(text));
  return true;
}

std::optional<std::string> ShownControlText(const std::string& window, const std::string& control) {
  QWidget* found = FindShownControl(window, control);
  if (auto* label = qobject_cast<QLabel*>(found)) return FromQString(label->text());
  if (auto* edit = qobject_cast<QLineEdit*>(found)) return FromQString(edit->text());
  if (auto* memo = qobject_cast<QPlainTextEdit*>(found)) return FromQString(memo->toPlainText());
  if (auto* combo = qobject_cast<QComboBox*>(found)) return FromQString(combo->currentText());
  if (auto* button = qobject_cast<QAbstractButton*>(found)) return FromQString(button->text());
  return std::nullopt;
}

}  // namespace orv
