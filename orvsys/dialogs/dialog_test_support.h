// Helpers for the dialog tests: a fresh data, temporary and XDG folder per
// test, a host window that records the messages it gets, and user actions on
// controls found by window and component name.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "controls/controls_test_support.h"
#include "controls/form.h"
#include "platform/window.h"

namespace orv::test {

// One message the host window received; the texts of a TMyRecord are copied
// and the record freed, as an editor does.
struct HostMessage {
  uint32_t Message;
  std::vector<std::string> Fields;
};

// A test with its own ORV_HOME, TMPDIR, XDG_DATA_HOME and registry file, and
// a host window.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Home() const { return home_.string() + "/"; }
  std::string Temp() const { return temp_.string() + "/"; }
  std::string XdgHome() const { return (root_ / "xdg").string() + "/"; }
  HWND Host() const { return host_->Handle(); }
  // Messages so far, after running the posted ones.
  const std::vector<HostMessage>& Messages();

  std::filesystem::path root_;
  std::filesystem::path home_;
  std::filesystem::path temp_;

 private:
  std::unique_ptr<Window> host_;
  std::vector<HostMessage> messages_;
};

// The widget `name` in the visible window `window`; fails the test when missing.
QWidget* Control(const char* window, const char* name);
// A user's click, typing (after emptying the box) and a check of a box.
void Click(const char* window, const char* name);
void Type(const char* window, const char* name, const std::string& text);
std::string TextOf(const char* window, const char* name);
bool IsChecked(const char* window, const char* name);
bool IsEnabled(const char* window, const char* name);
// True when the control is its window's focus widget (it has the focus
// whenever the window is active).
bool HasFocus(const char* window, const char* name);
bool IsShown(const char* window, const char* name);
// Makes page `index` of a page control the current one, as a click on its tab.
void ShowTab(const char* window, const char* pages, int index);
// A click (with modifiers) and a double click on row `row` of a list.
void ClickRow(const char* window, const char* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void DoubleClickRow(const char* window, const char* list, int row);
// The rows of a list as it shows them, the cells of a row joined with " | ".
std::vector<std::string> RowTexts(const char* window, const char* list);
// Runs `step` once the window named `window` is the modal window on top
// (checked from the event loop each time it runs, so a dialog that a click
// opens is waited for without sleeping).
void WhenUp(const char* window, std::function<void()> step);
// Runs `step` once `condition` holds, checked from the event loop each time
// it runs (also inside the loop of a running download).
void WhenTrue(std::function<bool()> condition, std::function<void()> step);
// Saves a picture of the visible window `window` (see SaveScreenshot).
void Screenshot(const char* window, const char* file);
// The form named `name` among the screen's forms; null when there is none.
TCustomForm* FormNamed(const char* name);
// Answers the next message box with the button named `button` ("OK",
// "Yes", "No"), keeping its text in `text` when given.
void AnswerMessage(const char* button, std::string* text = nullptr);

}  // namespace orv::test
