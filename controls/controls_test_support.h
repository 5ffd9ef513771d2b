// Test helpers for the visual classes: finding a widget by its object name
// as an outside tool would, and acting on a modal form once it is up.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "controls/application.h"

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

}  // namespace orv::test
