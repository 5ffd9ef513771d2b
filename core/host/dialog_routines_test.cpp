// The message and input dialogs that scripts open: the test answers each
// dialog by clicking its buttons by name, as a user would.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/controls_test_support.h"
#include "core/host/script_test_support.h"

namespace orv {
namespace {

using test::Lines;
using test::WhenUp;

class DialogRoutinesTest : public test::ScriptTest {
 protected:
  // Once the next dialog `form` is up: notes its buttons' names, then clicks `button`.
  void Answer(const QString& form, const QString& button) {
    WhenUp(form, [this, button](QWidget& window) {
      buttons_.clear();
      for (QAbstractButton* each : window.findChildren<QAbstractButton*>())
        buttons_.push_back(each->objectName().toStdString());
      if (auto* target = window.findChild<QAbstractButton*>(button)) QTest::mouseClick(target, Qt::LeftButton);
    });
  }

  std::vector<std::string> buttons_;
};

TEST_F(DialogRoutinesTest, MessageDlgShowsTheButtonsAskedAndReturnsTheAnswer) {
  Answer("MessageDlg", "No");
  EXPECT_EQ(Run("begin TESTOUT(MessageDlg('Save?', mtConfirmation, [mbYes, mbNo], 0)) end."), Lines{"7"});
  EXPECT_EQ(buttons_, (Lines{"Yes", "No"}));
  Answer("MessageDlg", "Yes");
  EXPECT_EQ(Run("begin TESTOUT(MessageDlg('Save?', mtConfirmation, [mbYes, mbNo], 0) = mrYes) end."),
            Lines{"True"});
}

TEST_F(DialogRoutinesTest, ButtonNumbersOutsideTheSetAreLeftOut) {
  Answer("MessageDlg", "OK");
  EXPECT_EQ(Run("begin TESTOUT(MessageDlgPos('Really?', mtWarning, [mbHelp, 16, -1, mbOK, mbHelp], 0, 10, 10)) end."),
            Lines{"1"});
  EXPECT_EQ(buttons_, (Lines{"OK", "Help"}));
}

TEST_F(DialogRoutinesTest, ShowMessageAndACreatedDialog) {
  Answer("MessageDlg", "OK");
  EXPECT_EQ(Run("begin ShowMessage('Done'); TESTOUT('after') end."), Lines{"after"});
  EXPECT_EQ(buttons_, Lines{"OK"});
  Answer("MessageDlg", "Retry");
  EXPECT_EQ(Run("var D: TForm; begin D := CreateMessageDialog('Again?', mtError, [mbRetry, mbAbort]);\n"
                "  TESTOUT(D.Caption); TESTOUT(D.ShowModal); D.Free end."),
            (Lines{"Error", "4"}));
  EXPECT_EQ(buttons_, (Lines{"Abort", "Retry"}));
}

TEST_F(DialogRoutinesTest, InputQueryWritesTheTextBackEvenWhenCancelled) {
  WhenUp("InputQuery", [](QWidget& window) {
    auto* edit = window.findChild<QLineEdit*>("Edit");
    edit->clear();
    QTest::keyClicks(edit, "typed");
    QTest::mouseClick(window.findChild<QAbstractButton*>("Cancel"), Qt::LeftButton);
  });
  EXPECT_EQ(Run("var S: string; begin S := 'first'; TESTOUT(InputQuery('Name', 'Your name:', S)); TESTOUT(S) end."),
            (Lines{"False", "typed"}));
  Answer("InputQuery", "OK");
  EXPECT_EQ(Run("begin TESTOUT(InputBox('Name', 'Your name:', 'kept')) end."), Lines{"kept"});
  Answer("InputQuery", "Cancel");
  EXPECT_EQ(Run("begin TESTOUT(InputBox('Name', 'Your name:', 'default')) end."), Lines{"default"});
}

}  // namespace
}  // namespace orv
