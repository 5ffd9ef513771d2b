// The library's dialogs and the common dialogs, answered by name as a user
// or an automation tool answers them.
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/common_dialogs.h"
#include "controls/controls_test_support.h"
#include "controls/dialogs.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "platform/folders.h"
#include "platform/message_service.h"

namespace orv {
namespace {

using test::FindIn;
using test::WhenShown;

// The names of the visible buttons of the message dialog.
QStringList ButtonNames() {
  QStringList names;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->objectName() == "MessageDlg" && top->isVisible())
      for (auto* button : top->findChildren<QPushButton*>()) names << button->objectName();
  return names;
}

TEST(DialogsTest, MessageDlgShowsExactlyTheButtonsAsked) {
  QStringList names;
  QString text;
  WhenShown([&] {
    names = ButtonNames();
    text = qobject_cast<QLabel*>(FindIn("MessageDlg", "Message"))->text();
    QTest::mouseClick(FindIn("MessageDlg", "No"), Qt::LeftButton);
  });
  EXPECT_EQ(MessageDlg("Save?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
  EXPECT_EQ(names, (QStringList{"Yes", "No"}));
  EXPECT_EQ(text, "Save?");

  WhenShown([] { QTest::mouseClick(FindIn("MessageDlg", "Yes"), Qt::LeftButton); });
  EXPECT_EQ(MessageDlg("Save?", mtConfirmation, {mbNo, mbYes, mbYes, 99}, 0), mrYes);
}

TEST(DialogsTest, DefaultAndCancelButtonsAnswerEnterAndEscape) {
  WhenShown([] { QTest::keyClick(FindIn("MessageDlg", "OK"), Qt::Key_Escape); });
  EXPECT_EQ(MessageDlg("Go on?", mtWarning, {mbOK, mbCancel}, 0), mrCancel);
  WhenShown([] { QTest::keyClick(FindIn("MessageDlg", "Retry"), Qt::Key_Escape); });
  EXPECT_EQ(MessageDlg("Failed", mtError, {mbAbort, mbRetry, mbIgnore}, 0), mrCancel);
}

TEST(DialogsTest, CreateMessageDialogMakesTheFormWithoutShowingIt) {
  std::unique_ptr<TForm> dialog(CreateMessageDialog("Text", mtInformation, {}));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(dialog->Caption(), "Information");
  EXPECT_NE(dialog->FindComponent("OK"), nullptr);  // no buttons asked: OK
  EXPECT_NE(dialog->FindComponent("Image"), nullptr);
  Application()->SetTitle("Test Title");
  std::unique_ptr<TForm> custom(CreateMessageDialog("Text", mtCustom, {mbHelp}));
  EXPECT_EQ(custom->Caption(), "Test Title");
  EXPECT_EQ(custom->FindComponent("Image"), nullptr);
  EXPECT_NE(custom->FindComponent("Help"), nullptr);
}

TEST(DialogsTest, InputQueryAndInputBox) {
  WhenShown([] {
    auto* edit = qobject_cast<QLineEdit*>(FindIn("InputQuery", "Edit"));
    edit->selectAll();
    QTest::keyClicks(edit, "typed");
    QTest::mouseClick(FindIn("InputQuery", "OK"), Qt::LeftButton);
  });
  std::string value = "old";
  EXPECT_TRUE(InputQuery("Name", "Your name:", value));
  EXPECT_EQ(value, "typed");

  WhenShown([] {
    QTest::keyClicks(FindIn("InputQuery", "Edit"), "x");
    QTest::mouseClick(FindIn("InputQuery", "Cancel"), Qt::LeftButton);
  });
  value = "old";
  EXPECT_FALSE(InputQuery("Name", "Your name:", value));
  EXPECT_EQ(value, "oldx");  // the edit's final text, even when cancelled

  WhenShown([] { QTest::keyClick(FindIn("InputQuery", "Edit"), Qt::Key_Escape); });
  EXPECT_EQ(InputBox("Name", "Your name:", "default"), "default");
}

TEST(DialogsTest, PlatformMessageBoxGoesThroughTheDialogs) {
  EnsureQtApplication();
  QString text;
  QString caption;
  WhenShown([&] {
    text = qobject_cast<QLabel*>(FindIn("MessageDlg", "Message"))->text();
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == "MessageDlg" && top->isVisible()) caption = top->windowTitle();
    QTest::mouseClick(FindIn("MessageDlg", "OK"), Qt::LeftButton);
  });
  orv::ShowMessage(MessageKind::Warning, "Careful", "Disk nearly full");
  EXPECT_EQ(text, "Disk nearly full");
  EXPECT_EQ(caption, "Careful");
}

TEST(DialogsTest, OpenDialogIsQtsOwnAndNamedAfterTheComponent) {
  TOpenDialog dialog(nullptr);
  dialog.SetName("OpenDialog1");
  dialog.SetFilter("Pages|*.hts;*.htm|All files|*.*");
  dialog.SetInitialDir(DataDir());
  std::string wanted = DataDir() + "chosen.hts";
  WhenShown([&] {
    auto* file_dialog = qobject_cast<QFileDialog*>(test::FindWidget("OpenDialog1"));
    ASSERT_NE(file_dialog, nullptr);
    EXPECT_TRUE(file_dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(file_dialog->nameFilters(), (QStringList{"Pages (*.hts *.htm)", "All files (*)"}));
    file_dialog->selectFile(QString::fromStdString(wanted));
    QMetaObject::invokeMethod(file_dialog, "accept");
  });
  TSaveDialog save(nullptr);
  save.SetName("OpenDialog1");
  save.SetFilter(dialog.Filter());
  save.SetInitialDir(DataDir());
  EXPECT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName(), wanted);
  EXPECT_EQ(save.Files()->Count(), 1);
  EXPECT_EQ(save.FilterIndex(), 1);
}

// Each pattern is shown once, also when the label already names it, and
// "*.*" lists every file, names without a dot included.
TEST(DialogsTest, FileDialogFiltersShowEachPatternOnce) {
  TOpenDialog dialog(nullptr);
  dialog.SetName("OpenDialog1");
  dialog.SetFilter(
      "All Files (*.*)|*.*|Java Classes (*.class)|*.class|HTML Source (.hts)|*.hts|Pages|*.hts;*.htm|"
      "Both (*.*;*.txt)|*.*;*.txt|Spaced (*.a *.b)|*.a;*.b|Commas (*.c, *.d)|*.c;*.d|Other (*.x)|*.y");
  QStringList filters;
  WhenShown([&] {
    auto* file_dialog = qobject_cast<QFileDialog*>(test::FindWidget("OpenDialog1"));
    ASSERT_NE(file_dialog, nullptr);
    filters = file_dialog->nameFilters();
    QMetaObject::invokeMethod(file_dialog, "reject");
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(filters, (QStringList{"All Files (*)", "Java Classes (*.class)", "HTML Source (.hts) (*.hts)",
                                  "Pages (*.hts *.htm)", "Both (* *.txt)", "Spaced (*.a *.b)", "Commas (*.c *.d)",
                                  "Other (*.x) (*.y)"}));
}

TEST(DialogsTest, FindDialogRunsOnFindFromItsButton) {
  TFindDialog find(nullptr);
  find.SetName("FindDialog1");
  find.SetFindText("needle");
  int found = 0;
  find.OnFind.code = [&](TObject*, EventArgs&) { ++found; };
  EXPECT_TRUE(find.Execute());
  EXPECT_EQ(qobject_cast<QLineEdit*>(FindIn("FindDialog1", "FindEdit"))->text(), "needle");
  QTest::mouseClick(FindIn("FindDialog1", "FindNext"), Qt::LeftButton);
  EXPECT_EQ(found, 1);
  QTest::mouseClick(FindIn("FindDialog1", "Cancel"), Qt::LeftButton);
  EXPECT_EQ(FindIn("FindDialog1", "FindEdit"), nullptr);
  EXPECT_EQ(find.FindText(), "needle");
}

}  // namespace
}  // namespace orv
