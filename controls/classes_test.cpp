// Every visual class can be made by name, placed on a form and shown, with
// its widget named after it; and the list-like controls follow their items.
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "components/class_tree.h"
#include "components/published.h"
#include "controls/containers.h"
#include "controls/controls_test_support.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/list_view.h"
#include "controls/lists.h"

namespace orv {

using test::FindIn;

namespace {

TEST(ClassesTest, EveryVisualClassIsMadeByNameAndShown) {
  TForm form(nullptr);
  form.SetName("AllClasses");
  int made = 0;
  for (const ClassTreeEntry& entry : StandardClassTree()) {
    if (!entry.library) continue;
    const ClassDescriptor* descriptor = FindClassDescriptor(entry.name);
    ASSERT_NE(descriptor, nullptr) << entry.name;
    EXPECT_EQ(descriptor->parent, entry.parent) << entry.name;
    if (!descriptor->factory || std::string(entry.name) == "TForm") continue;
    TComponent* component = CreateComponent(entry.name, &form);
    EXPECT_EQ(component->ClassName(), entry.name);
    component->SetName(std::string(entry.name).substr(1) + "1");
    if (auto* control = dynamic_cast<TControl*>(component)) control->SetParent(&form);
    ++made;
  }
  EXPECT_GT(made, 35);
  form.Show();
  for (int i = 0; i < form.ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(form.Components(i))) {
      ASSERT_NE(control->ExistingWidget(), nullptr) << control->Name();
      EXPECT_EQ(control->ExistingWidget()->objectName().toStdString(), control->Name());
    }
  form.Hide();
}

TEST(ClassesTest, ListsFollowTheirItems) {
  TForm form(nullptr);
  form.SetName("Lists");
  form.SetClientWidth(500);
  form.SetClientHeight(220);
  auto* memo = new TMemo(&form);
  memo->SetName("Memo1");
  memo->SetParent(&form);
  memo->SetBounds(0, 0, 150, 60);
  memo->Lines()->Add("one");
  auto* list = new TListBox(&form);
  list->SetName("ListBox1");
  list->SetParent(&form);
  list->SetBounds(160, 0, 100, 80);
  list->Items()->SetCommaText("a,b,c");
  auto* combo = new TComboBox(&form);
  combo->SetName("ComboBox1");
  combo->SetParent(&form);
  combo->SetBounds(270, 0, 100, 21);
  combo->SetStyle(csDropDownList);
  combo->Items()->SetCommaText("red,green");
  combo->SetItemIndex(1);
  auto* group = new TRadioGroup(&form);
  group->SetName("RadioGroup1");
  group->SetParent(&form);
  group->SetBounds(0, 100, 150, 80);
  group->Items()->SetCommaText("Left,Right");
  auto* notebook = new TNotebook(&form);
  notebook->SetName("Notebook1");
  notebook->SetParent(&form);
  notebook->SetBounds(160, 100, 100, 80);
  notebook->Pages()->Add("Second");
  auto* view = new TListView(&form);
  view->SetName("ListView1");
  view->SetParent(&form);
  view->SetBounds(270, 100, 200, 100);
  view->SetViewStyle(vsReport);
  view->AddColumn("Name", 100);
  view->AddColumn("Hidden", 0);
  view->AddItem("first", {"secret"});
  form.Show();

  auto* editor = qobject_cast<QPlainTextEdit*>(FindIn("Lists", "Memo1"));
  EXPECT_EQ(editor->toPlainText(), "one");
  editor->moveCursor(QTextCursor::End);
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::keyClicks(editor, "two");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Get(1), "two");

  auto* widget = qobject_cast<QListWidget*>(FindIn("Lists", "ListBox1"));
  ASSERT_EQ(widget->count(), 3);
  QApplication::processEvents();  // lays the items out
  QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, widget->visualItemRect(widget->item(2)).center());
  EXPECT_EQ(widget->currentRow(), 2);
  EXPECT_EQ(list->ItemIndex(), 2);

  EXPECT_EQ(qobject_cast<QComboBox*>(FindIn("Lists", "ComboBox1"))->currentText(), "green");
  EXPECT_EQ(combo->Text(), "green");

  QWidget* right = FindIn("Lists", "Right");
  QTest::mouseClick(right, Qt::LeftButton, {}, QPoint(6, right->height() / 2));  // on the round button
  EXPECT_EQ(group->ItemIndex(), 1);

  notebook->SetActivePage("Second");
  EXPECT_EQ(notebook->PageIndex(), 1);
  EXPECT_EQ(qobject_cast<QStackedWidget*>(FindIn("Lists", "Notebook1"))->currentIndex(), 1);

  auto* tree = qobject_cast<QTreeWidget*>(FindIn("Lists", "ListView1"));
  ASSERT_NE(tree, nullptr);
  EXPECT_TRUE(tree->isColumnHidden(1));
  EXPECT_EQ(tree->topLevelItem(0)->text(1), "secret");
  tree->topLevelItem(0)->setSelected(true);
  EXPECT_EQ(view->SelectedIndex(), 0);
  form.Hide();
}

}  // namespace
}  // namespace orv
