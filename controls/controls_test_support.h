// Test helpers for the visual classes: finding a widget by its object name
// as an outside tool would, and acting on a modal form once it is up.
#pragma once

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "controls/application.h"
#include "controls/qt_application.h"

namespace orv::test {

// The widget named `name` in any window, top-level windows included.
inline QWidget* FindWidget(const QString& name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == name) return window;
    if (auto* found = window->findChild<QWidget*>(name)) return found;
  }
  return nullptr;
}

// The widget `name` inside the visible window `window`.
inline QWidget* FindIn(const QString& window, const QString& name) {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->objectName() == window && top->isVisible())
      if (auto* found = top->findChild<QWidget*>(name)) return found;
  return nullptr;
}

// Runs `step` as soon as the event loop runs (inside a modal loop started next).
inline void WhenShown(std::function<void()> step) {
  EnsureQtApplication();
  QTimer::singleShot(0, QCoreApplication::instance(), std::move(step));
}

// Runs `step` with the visible window `form` once it is up. Code that runs
// pending events before it opens a modal window (the script compiler does)
// may run the first try too early, so the step posts itself again until the
// window shows.
inline void WhenUp(const QString& form, std::function<void(QWidget&)> step, int tries = 100000) {
  WhenShown([form, step, tries] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == form && top->isVisible()) return step(*top);
    if (tries > 0) WhenUp(form, step, tries - 1);
  });
}

// Grabs `window` as a user sees it and, when $ORV_SCREENSHOT_DIR is set (for
// the documentation, or to look at a layout), saves the picture there as
// `file`. False when the window gives no picture or it cannot be saved.
inline bool SaveScreenshot(QWidget* window, const char* file) {
  const QPixmap picture = window->grab();
  if (picture.isNull()) return false;
  const QByteArray folder = qgetenv("ORV_SCREENSHOT_DIR");
  return folder.isEmpty() || picture.save(QString::fromUtf8(folder) + "/" + file);
}

}  // namespace orv::test
