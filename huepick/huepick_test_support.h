// Test helpers for the colour dialog: its parts found by component name in
// the shown "FrmColor" window, typing into an edit and clicking at a
// position as a user does.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <string>

#include "controls/controls_test_support.h"

namespace orv::test {

// The part `name` of the shown colour dialog.
inline QWidget* Part(const char* name) {
  QWidget* widget = FindIn("FrmColor", name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

inline std::string EditText(const char* name) { return qobject_cast<QLineEdit*>(Part(name))->text().toStdString(); }

// Clicks into the edit, selects its text and types `text` over it; an empty
// `text` only clears the edit.
inline void TypeInto(const char* name, const char* text) {
  auto* edit = qobject_cast<QLineEdit*>(Part(name));
  QTest::mouseClick(edit, Qt::LeftButton);
  edit->setFocus();
  edit->selectAll();
  if (*text == '\0')
    QTest::keyClick(edit, Qt::Key_Backspace);
  else
    QTest::keyClicks(edit, text);
}

// Runs `step` with the top-level window `name` as soon as it is shown,
// looking again each time the event loop turns until it is.
inline void WhenWindowUp(const QString& name, std::function<void(QWidget*)> step) {
  EnsureQtApplication();
  QTimer::singleShot(0, QCoreApplication::instance(), [name, step = std::move(step)]() mutable {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == name && top->isVisible()) return step(top);
    WhenWindowUp(name, std::move(step));
  });
}

// A left click at (x, y) of the part `name`.
inline void ClickAt(const char* name, int x, int y) { QTest::mouseClick(Part(name), Qt::LeftButton, {}, QPoint(x, y)); }

}  // namespace orv::test
