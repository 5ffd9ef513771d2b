// The example desktop program of examples/forms, driven as its user would:
// typing items, adding them with the button and with Enter, sorting,
// deleting, and closing with the confirmation it asks for.
#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/controls_test_support.h"
#include "core/host/host_startup.h"
#include "core/host/script_form.h"
#include "components/object.h"

namespace orv {
namespace {

using test::FindIn;
using test::WhenUp;
using Lines = std::vector<std::string>;

class ExampleFormTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    HostStartup();
    EnsureQtApplication();
  }
  static void TearDownTestSuite() { HostShutdown(); }
  void TearDown() override { FreeScriptForms(); }

  static std::string ExampleForm() { return std::string(std::getenv("ORV_SOURCE_DIR")) + "/examples/forms/list.dfm"; }

  static QListWidget* List() { return qobject_cast<QListWidget*>(FindIn("FrmList", "ListBox1")); }
  static QLineEdit* Edit() { return qobject_cast<QLineEdit*>(FindIn("FrmList", "Edit1")); }
  static void Click(const char* button) { QTest::mouseClick(FindIn("FrmList", button), Qt::LeftButton); }

  static Lines Items() {
    Lines items;
    for (int row = 0; row < List()->count(); ++row) items.push_back(List()->item(row)->text().toStdString());
    return items;
  }

  // Once the message dialog is up: keeps its text, then clicks `button`.
  void Answer(const char* button) {
    WhenUp("MessageDlg", [this, button](QWidget& window) {
      message_.clear();
      for (QWidget* child : window.findChildren<QWidget*>("Message"))
        message_ = child->property("text").toString().toStdString();
      QTest::mouseClick(window.findChild<QAbstractButton*>(button), Qt::LeftButton);
    });
  }

  std::string message_;
};

TEST_F(ExampleFormTest, AddsSortsDeletesAndAsksBeforeClosing) {
  TComponent* form = ShowScriptForm(ExampleForm());
  ASSERT_NE(List(), nullptr);
  ASSERT_NE(Edit(), nullptr);
  EXPECT_EQ(Items(), (Lines{"bread", "apples"})) << "OnCreate fills the list";

  QTest::keyClicks(Edit(), "milk");
  Click("BtnAdd");
  QTest::keyClicks(Edit(), "eggs");
  QTest::keyClick(Edit(), Qt::Key_Return);
  EXPECT_EQ(Items(), (Lines{"bread", "apples", "milk", "eggs"}));
  EXPECT_EQ(Edit()->text(), "") << "Enter adds the item and is swallowed";

  Answer("OK");
  Click("BtnAdd");
  EXPECT_EQ(message_, "Type an item first.");

  Click("BtnSort");
  EXPECT_EQ(Items(), (Lines{"apples", "bread", "eggs", "milk"}));

  Answer("OK");
  List()->setCurrentRow(-1);
  Click("BtnDelete");
  EXPECT_EQ(message_, "Select an item to delete.");
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(List()->item(1)).center());
  Click("BtnDelete");
  EXPECT_EQ(Items(), (Lines{"apples", "eggs", "milk"}));

  const uint32_t handle = form->Handle();
  Answer("No");
  Click("BtnClose");
  EXPECT_EQ(message_, "Close and forget the list?");
  EXPECT_TRUE(ScriptFormsOpen()) << "No keeps the form open";
  Answer("Yes");
  Click("BtnClose");
  EXPECT_FALSE(ScriptFormsOpen());
  QCoreApplication::processEvents();
  EXPECT_EQ(ObjectFromHandle(handle), nullptr) << "a form without OnClose is freed when it closes";
}

}  // namespace
}  // namespace orv
