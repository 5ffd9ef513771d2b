// Helpers of the dialog tests: a host window that keeps the insert records it
// receives, a message sink that records message boxes and beeps, and typing
// and clicking by component name as a user does.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/controls_test_support.h"
#include "orv/host.h"
#include "platform/message_service.h"

namespace orv::test {

// One insert message as the host saw it, its texts copied during the send.
struct TReceived {
  uint32_t Message;
  WPARAM WParam;
  std::optional<std::string> Text, CloseText, WrapFlag;
};

// An editor host's receiver window (made through the C interface).
class THost {
 public:
  THost() : window_(orv_create_window(&THost::Proc, this)) {}
  ~THost() { orv_destroy_window(window_); }
  HWND Window() const { return window_; }
  const std::vector<TReceived>& Received() const { return received_; }

 private:
  static std::optional<std::string> Copy(const char* text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
  }
  static LRESULT Proc(HWND, uint32_t message, WPARAM wparam, LPARAM lparam, void* user) {
    auto* record = reinterpret_cast<const TInsertRecord*>(lparam);
    static_cast<THost*>(user)->received_.push_back(
        {message, wparam, Copy(record->Text), Copy(record->CloseText), Copy(record->WrapFlag)});
    return 0;
  }

  HWND window_;
  std::vector<TReceived> received_;
};

// Records message boxes and beeps instead of showing them.
class TRecordingSink : public MessageSink {
 public:
  void ShowMessage(MessageKind, const std::string&, const std::string& text) override { Messages.push_back(text); }
  void Beep() override { ++Beeps; }
  std::vector<std::string> Messages;
  int Beeps = 0;
};

// A test with a Qt application and the recording sink installed.
class DialogTest : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    previous_ = SetMessageSink(sink_);
  }
  void TearDown() override { SetMessageSink(previous_); }

  std::shared_ptr<TRecordingSink> sink_ = std::make_shared<TRecordingSink>();
  THost host_;

 private:
  std::shared_ptr<MessageSink> previous_;
};

// The widget `name` of the visible form `form`; fails the test when missing.
inline QWidget* Get(const char* form, const char* name) {
  QWidget* widget = FindIn(form, name);
  EXPECT_NE(widget, nullptr) << form << "." << name;
  return widget;
}

// Makes the visible form `form` the active window, as the user's desktop
// does when a dialog opens, so that focus moves between its controls.
inline void Activate(const char* form) {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->objectName() == form && top->isVisible()) {
      top->activateWindow();
      QApplication::processEvents();
      EXPECT_TRUE(top->isActiveWindow()) << form;
    }
}

// The line editor of an edit or of an editable drop-down.
inline QLineEdit* LineOf(QWidget* widget) {
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
  return qobject_cast<QLineEdit*>(widget);
}

// Replaces the text of an edit or drop-down by typing: select all, then type.
inline void Type(const char* form, const char* name, const QString& text) {
  QLineEdit* line = LineOf(Get(form, name));
  ASSERT_NE(line, nullptr) << name;
  QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) QTest::keyClick(line, Qt::Key_Backspace);
  else QTest::keyClicks(line, text);
}

// Picks `item` from the list of drop-down `name` with the keyboard, as a
// user does: Alt+Down opens the list, Home and Down move to the item, Enter
// takes it.
inline void Pick(const char* form, const char* name, const QString& item) {
  auto* combo = qobject_cast<QComboBox*>(Get(form, name));
  ASSERT_NE(combo, nullptr) << name;
  const int index = combo->findText(item, Qt::MatchExactly);
  ASSERT_GE(index, 0) << item.toStdString() << " is not in the list of " << name;
  QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
  QAbstractItemView* list = combo->view();
  ASSERT_TRUE(list->isVisible()) << "the list of " << name << " did not open";
  QTest::keyClick(list, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
}

inline QString TextOf(const char* form, const char* name) {
  QLineEdit* line = LineOf(Get(form, name));
  return line ? line->text() : QString();
}

// A mouse click near the left edge (on a check box's or radio's indicator).
inline void Click(const char* form, const char* name) {
  QWidget* widget = Get(form, name);
  if (widget) QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2));
}

// Grabs the visible form `form` as a user sees it; the picture is saved as
// `file` in $ORV_SCREENSHOT_DIR when that is set (for the documentation).
inline void Screenshot(const char* form, const char* file) {
  QWidget* window = Get(form, "client");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(SaveScreenshot(window->window(), file));
}

}  // namespace orv::test
