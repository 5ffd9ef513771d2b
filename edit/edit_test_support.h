// Helpers for the editor's tests: a main window over the real dialog
// libraries in fresh data folders per test, and the user's actions on
// windows and controls found by their object names.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "edit/dialog_libraries.h"
#include "edit/editor_application.h"
#include "edit/main_window.h"

namespace orv::edit::test {

// The visible top-level window named `name`, or null.
QWidget* Window(const QString& name);
// The control `name` inside the visible window `window`; fails the test when missing.
QWidget* Control(const QString& window, const QString& name);
template <typename T>
T* ControlOf(const QString& window, const QString& name) {
  auto* control = qobject_cast<T*>(Control(window, name));
  EXPECT_NE(control, nullptr) << window.toStdString() << "." << name.toStdString();
  return control;
}
// A user's click on a button, check box or radio button.
void Click(const QString& window, const QString& name);
// Replaces the text of an edit box by typing.
void Type(const QString& window, const QString& name, const QString& text);
// Runs `step` once the window `name` is the modal window on top (or, for a
// window that is not modal, shown), checked each time the event loop turns.
void WhenUp(const QString& name, std::function<void()> step);
// Runs `step` once `condition` holds, checked each time the event loop turns
// (also inside a dialog's loop while it works).
void WhenTrue(std::function<bool()> condition, std::function<void()> step);

// Stands in for the desktop's browser while it lives: the addresses the
// editor asks the desktop to open (QDesktopServices) are kept here.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  UrlRecorder();
  ~UrlRecorder() override;
  const QList<QUrl>& Urls() const { return urls_; }

 public slots:
  void Open(const QUrl& url) { urls_.append(url); }

 private:
  QList<QUrl> urls_;
};

// One test: the editor's main window shown over the real libraries, with
// ORV_HOME, TMPDIR, XDG_CONFIG_HOME and XDG_DATA_HOME in a fresh folder.
class EditorTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // A new main window over `libraries` (the test's own libraries by default).
  void MakeWindow(DialogLibraries& libraries);
  MainWindow& Main() { return *window_; }
  Document* Current();
  QAction* Action(const char* name);
  // Presses a key (with modifiers) where the user's focus is.
  void Press(const QKeySequence& keys);
  // Types into the current document at the caret.
  void TypeText(const QString& text);
  // A copy of examples/site in the test's folder; its project file.
  std::string CopyExampleSite();
  std::string Root() const { return root_.string() + "/"; }
  static EditorApplication& App() { return *app_; }
  static DialogLibraries& Libraries() { return *libraries_; }

 private:
  static EditorApplication* app_;
  static DialogLibraries* libraries_;
  std::filesystem::path root_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace orv::edit::test
