// Text editors keep what a script sets before their form is shown: the
// selection of an edit and of a combo box's edit, the clipboard commands,
// the character case and the memo's text read back as written, and the
// widget shows them once it is made.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>
#include <gtest/gtest.h>

#include "controls/controls_test_support.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/lists.h"

namespace orv {
namespace {

using test::FindIn;

// What the selection tests do with one kind of editor.
struct Editor {
  const char* name;
  std::function<TWinControl*(TForm&)> make;
  std::function<std::string()> text;
  std::function<void(std::string_view)> set_text;
  std::function<int()> sel_start, sel_length;
  std::function<void(int)> set_sel_start, set_sel_length;
  std::function<std::string()> sel_text;
  std::function<void(std::string_view)> set_sel_text;
  std::function<void()> select_all;
  std::function<QLineEdit*(QWidget*)> line;
};

template <class T>
Editor EditorOf(const char* name) {
  auto control = std::make_shared<T*>(nullptr);
  return Editor{
      name,
      [control, name](TForm& form) {
        *control = new T(&form);
        (*control)->SetName(name);
        (*control)->SetParent(&form);
        return *control;
      },
      [control] { return (*control)->Text(); },
      [control](std::string_view text) { (*control)->SetText(text); },
      [control] { return (*control)->SelStart(); },
      [control] { return (*control)->SelLength(); },
      [control](int start) { (*control)->SetSelStart(start); },
      [control](int length) { (*control)->SetSelLength(length); },
      [control] { return (*control)->SelText(); },
      [control](std::string_view text) { (*control)->SetSelText(text); },
      [control] { (*control)->SelectAll(); },
      [](QWidget* widget) {
        if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
        return qobject_cast<QLineEdit*>(widget);
      },
  };
}

TEST(EditsTest, SelectionSetBeforeTheFormIsShownIsKept) {
  for (const Editor& editor : {EditorOf<TEdit>("Edit1"), EditorOf<TComboBox>("ComboBox1")}) {
    SCOPED_TRACE(editor.name);
    TForm form(nullptr);
    form.SetName("Hidden");
    TWinControl* control = editor.make(form);
    editor.set_text("Hello World");
    EXPECT_EQ(editor.sel_start(), 11);  // the caret after a text set by code
    editor.set_sel_start(6);
    editor.set_sel_length(5);
    EXPECT_EQ(editor.sel_start(), 6);
    EXPECT_EQ(editor.sel_length(), 5);
    EXPECT_EQ(editor.sel_text(), "World");
    editor.set_sel_text("There");
    EXPECT_EQ(editor.text(), "Hello There");
    EXPECT_EQ(editor.sel_start(), 11);
    EXPECT_EQ(editor.sel_length(), 0);
    editor.select_all();
    EXPECT_EQ(editor.sel_text(), "Hello There");
    editor.set_sel_start(100);  // kept within the text
    EXPECT_EQ(editor.sel_start(), 11);
    editor.set_sel_start(0);
    editor.set_sel_length(100);
    EXPECT_EQ(editor.sel_length(), 11);
    editor.set_sel_length(5);
    EXPECT_EQ(control->ExistingWidget(), nullptr);
    form.Show();
    QLineEdit* line = editor.line(FindIn("Hidden", editor.name));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text().toStdString(), "Hello There");
    EXPECT_EQ(line->selectedText().toStdString(), "Hello");
    EXPECT_EQ(editor.sel_text(), "Hello");
    editor.set_sel_text("Howdy");
    EXPECT_EQ(editor.text(), "Howdy There");
    form.Hide();
  }
}

TEST(EditsTest, ClipboardCommandsWorkWithoutTheWidget) {
  EnsureQtApplication();
  QClipboard* clipboard = QApplication::clipboard();
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  edit->SetText("abc def");
  edit->SetSelStart(4);
  edit->SetSelLength(3);
  edit->CopyToClipboard();
  EXPECT_EQ(clipboard->text().toStdString(), "def");
  edit->CutToClipboard();
  EXPECT_EQ(edit->Text(), "abc ");
  edit->SetSelStart(0);
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "defabc ");
  edit->SetReadOnly(true);
  edit->SelectAll();
  edit->CutToClipboard();
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "defabc ");
  EXPECT_EQ(clipboard->text().toStdString(), "def");  // a read-only edit cuts nothing
  edit->SetReadOnly(false);
  edit->SetPasswordChar("*");
  clipboard->setText("kept");
  edit->CopyToClipboard();
  edit->CutToClipboard();
  EXPECT_EQ(clipboard->text().toStdString(), "kept");
  EXPECT_EQ(edit->Text(), "defabc ");
  EXPECT_EQ(edit->ExistingWidget(), nullptr);
}

TEST(EditsTest, CharCaseAndMaxLengthApplyBeforeTheFormIsShown) {
  TForm form(nullptr);
  form.SetName("Cased");
  auto* edit = new TEdit(&form);
  edit->SetName("Edit1");
  edit->SetParent(&form);
  edit->SetText("Mixed");
  edit->SetCharCase(ecUpperCase);
  EXPECT_EQ(edit->Text(), "MIXED");
  edit->SetText("again");
  EXPECT_EQ(edit->Text(), "AGAIN");
  edit->SetCharCase(ecLowerCase);
  EXPECT_EQ(edit->Text(), "again");
  edit->SetMaxLength(3);
  EXPECT_EQ(edit->Text(), "aga");
  form.Show();
  EXPECT_EQ(qobject_cast<QLineEdit*>(FindIn("Cased", "Edit1"))->text().toStdString(), "aga");
  form.Hide();
}

TEST(EditsTest, MemoTextReadsBackAsWritten) {
  TForm form(nullptr);
  form.SetName("Memos");
  auto* memo = new TMemo(&form);
  memo->SetName("Memo1");
  memo->SetParent(&form);
  const struct {
    const char* written;
    const char* read;
    int lines;
  } cases[] = {
      {"a", "a", 1},         {"a\r\n", "a\r\n", 1},       {"a\r\nb", "a\r\nb", 2},
      {"", "", 0},           {"a\r\n\r\n", "a\r\n\r\n", 2}, {"a\nb\n", "a\r\nb\r\n", 2},
  };
  for (bool shown : {false, true}) {
    if (shown) form.Show();
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.written) + (shown ? " shown" : " hidden"));
      memo->SetText(c.written);
      EXPECT_EQ(memo->Text(), c.read);
      EXPECT_EQ(memo->Lines()->Count(), c.lines);
    }
    memo->SetText("a");
    memo->Lines()->Add("b");  // a change through Lines: Text is Lines.Text
    EXPECT_EQ(memo->Text(), "a\r\nb\r\n");
  }
  auto* editor = qobject_cast<QPlainTextEdit*>(FindIn("Memos", "Memo1"));
  ASSERT_NE(editor, nullptr);
  editor->setPlainText("typed");
  EXPECT_EQ(memo->Text(), "typed");
  form.Hide();
}

}  // namespace
}  // namespace orv
