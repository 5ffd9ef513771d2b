// Forms read from form files and driven by component name, as a user or an
// automation tool drives them: typing, clicking, modal results, enabling,
// colours, posted messages during a modal loop.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "components/form_reader.h"
#include "components/form_writer.h"
#include "components/published.h"
#include "controls/buttons.h"
#include "controls/controls_test_support.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/lists.h"
#include "platform/window.h"

namespace orv {
namespace {

using test::FindIn;
using test::WhenShown;

const char* const kPrefForm =
    "object FrmPref: TFrmPref\n"
    "  Caption = 'Preferences'\n"
    "  ClientWidth = 300\n"
    "  ClientHeight = 120\n"
    "  BorderStyle = bsDialog\n"
    "  Position = poScreenCenter\n"
    "  OnShow = FormShow\n"
    "  object Label1: TLabel\n"
    "    Left = 8\n"
    "    Top = 8\n"
    "    Caption = '&Name:'\n"
    "  end\n"
    "  object Edit1: TEdit\n"
    "    Left = 8\n"
    "    Top = 24\n"
    "    Width = 200\n"
    "    Text = 'start'\n"
    "    OnChange = Edit1Change\n"
    "  end\n"
    "  object CheckBox1: TCheckBox\n"
    "    Left = 8\n"
    "    Top = 52\n"
    "    Caption = 'Upper case'\n"
    "    OnClick = CheckBox1Click\n"
    "  end\n"
    "  object Button1: TButton\n"
    "    Left = 130\n"
    "    Top = 88\n"
    "    Caption = 'OK'\n"
    "    Default = True\n"
    "    ModalResult = mrOk\n"
    "    OnClick = Button1Click\n"
    "  end\n"
    "  object Button2: TButton\n"
    "    Left = 215\n"
    "    Top = 88\n"
    "    Caption = 'Cancel'\n"
    "    Cancel = True\n"
    "    ModalResult = mrCancel\n"
    "  end\n"
    "  object ProgressBar1: TProgressBar\n"
    "    Left = 8\n"
    "    Top = 76\n"
    "    Max = 7\n"
    "  end\n"
    "end\n";

// A form read from kPrefForm whose handlers record what happened.
class FormTest : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    form_ = std::make_unique<TForm>(nullptr);
    std::vector<std::string> handlers;
    ReadForm(kPrefForm, *form_, {"pref.dfm", [&](const std::string& name) {
                                   handlers.push_back(name);
                                   return static_cast<intptr_t>(handlers.size());
                                 },
                                 nullptr});
    // Bind each handler name to a recorder, as a form script binds routines.
    for (int i = -1; i < form_->ComponentCount(); ++i) {
      TComponent* component = i < 0 ? form_.get() : form_->Components(i);
      for (const PropertyInfo* info : PublishedProperties(component->ClassName())) {
        if (info->type->kind != TypeKind::Method) continue;
        auto method = std::get<TMethod>(info->get(*component));
        if (method.name.empty()) continue;
        method.code = [this, name = method.name](TObject*, EventArgs&) { calls_.push_back(name); };
        info->set(*component, method);
      }
    }
  }

  template <class T>
  T* Get(const char* name) {
    return dynamic_cast<T*>(form_->FindComponent(name));
  }

  std::unique_ptr<TForm> form_;
  std::vector<std::string> calls_;
};

TEST_F(FormTest, ComponentsAreQtObjectsNamedAfterThem) {
  form_->Show();
  QWidget* window = form_->ExistingWidget();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->objectName(), "FrmPref");
  EXPECT_EQ(window->windowTitle(), "Preferences");
  EXPECT_EQ(window->size(), QSize(300, 120));
  for (const char* name : {"Label1", "Edit1", "CheckBox1", "Button1", "Button2", "ProgressBar1"})
    EXPECT_NE(FindIn("FrmPref", name), nullptr) << name;
  auto* edit = qobject_cast<QLineEdit*>(FindIn("FrmPref", "Edit1"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), "start");
  EXPECT_EQ(edit->geometry(), QRect(8, 24, 200, 21));
  EXPECT_EQ(calls_, std::vector<std::string>{"FormShow"});
  form_->Hide();
}

TEST_F(FormTest, NoWidgetUntilShown) {
  EXPECT_EQ(form_->ExistingWidget(), nullptr);
  EXPECT_EQ(Get<TEdit>("Edit1")->ExistingWidget(), nullptr);
  Get<TEdit>("Edit1")->SetText("quiet");
  EXPECT_EQ(Get<TEdit>("Edit1")->Text(), "quiet");
}

TEST_F(FormTest, TypingAndClickingByName) {
  form_->Show();
  auto* edit = FindIn("FrmPref", "Edit1");
  edit->setFocus();
  qobject_cast<QLineEdit*>(edit)->clear();
  QTest::keyClicks(edit, "hello world");
  EXPECT_EQ(Get<TEdit>("Edit1")->Text(), "hello world");
  EXPECT_TRUE(Get<TEdit>("Edit1")->Modified());
  EXPECT_EQ(calls_.back(), "Edit1Change");

  QTest::mouseClick(FindIn("FrmPref", "CheckBox1"), Qt::LeftButton);
  EXPECT_TRUE(Get<TCheckBox>("CheckBox1")->Checked());
  EXPECT_EQ(calls_.back(), "CheckBox1Click");
  Get<TCheckBox>("CheckBox1")->SetChecked(false);
  EXPECT_FALSE(qobject_cast<QCheckBox*>(FindIn("FrmPref", "CheckBox1"))->isChecked());
  form_->Hide();
}

// OnKeyPress may let a character through, type another in its place or
// swallow it; OnKeyDown swallows a key by setting its code to 0.
TEST_F(FormTest, KeyHandlersChangeWhatIsTyped) {
  auto* edit = Get<TEdit>("Edit1");
  edit->OnKeyPress.code = [](TObject*, EventArgs& args) {
    std::string& key = std::get<std::string>(args[0]);
    if (key == "a") key = "\xC3\xA9";
    if (key == "x") key = std::string(1, '\0');
  };
  edit->OnKeyDown.code = [](TObject*, EventArgs& args) {
    if (std::get<int64_t>(args[0]) == 'Z') args[0] = int64_t{0};
  };
  form_->Show();
  QWidget* widget = FindIn("FrmPref", "Edit1");
  qobject_cast<QLineEdit*>(widget)->clear();
  QTest::keyClicks(widget, "baxzb");
  EXPECT_EQ(edit->Text(), "b\xC3\xA9"
                          "b");
}

TEST_F(FormTest, ModalResultFromButtonsAndEscape) {
  WhenShown([] { QTest::mouseClick(FindIn("FrmPref", "Button1"), Qt::LeftButton); });
  EXPECT_EQ(form_->ShowModal(), mrOk);
  EXPECT_EQ(calls_.back(), "Button1Click");
  EXPECT_FALSE(form_->Visible());

  WhenShown([] { QTest::keyClick(FindIn("FrmPref", "Edit1"), Qt::Key_Escape); });
  EXPECT_EQ(form_->ShowModal(), mrCancel);

  WhenShown([this] {
    QTest::keyClicks(FindIn("FrmPref", "Edit1"), "x");
    form_->SetModalResult(mrYes);
  });
  EXPECT_EQ(form_->ShowModal(), mrYes);
}

TEST_F(FormTest, DisabledButtonIgnoresClicks) {
  Get<TButton>("Button1")->SetEnabled(false);
  form_->Show();
  QTest::mouseClick(FindIn("FrmPref", "Button1"), Qt::LeftButton);
  EXPECT_TRUE(std::find(calls_.begin(), calls_.end(), "Button1Click") == calls_.end());
  EXPECT_FALSE(FindIn("FrmPref", "Button1")->isEnabled());
  Get<TButton>("Button1")->SetEnabled(true);
  QTest::mouseClick(FindIn("FrmPref", "Button1"), Qt::LeftButton);
  EXPECT_EQ(calls_.back(), "Button1Click");
  form_->Hide();
}

TEST_F(FormTest, ColoursFollowTheColorProperty) {
  form_->Show();
  QWidget* edit = FindIn("FrmPref", "Edit1");
  EXPECT_EQ(edit->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
  SetPropValue(*Get<TEdit>("Edit1"), "Color", Identifier{"clRed"});
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 0, 0));
  Get<TEdit>("Edit1")->SetColor(clBtnFace);
  EXPECT_EQ(edit->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
  form_->Hide();
}

TEST_F(FormTest, PostedMessagesArriveWhileModal) {
  std::vector<uint32_t> seen;
  Window receiver([&](uint32_t message, WPARAM, LPARAM) -> LRESULT {
    seen.push_back(message);
    if (message == 2) form_->SetModalResult(mrOk);
    return 0;
  });
  WhenShown([&] {
    PostMessage(receiver.Handle(), 1, 0, 0);
    PostMessage(receiver.Handle(), 2, 0, 0);
  });
  EXPECT_EQ(form_->ShowModal(), mrOk);
  EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2}));
}

TEST_F(FormTest, ProcessMessagesInsideAModalForm) {
  std::vector<uint32_t> seen;
  Window receiver([&](uint32_t message, WPARAM, LPARAM) -> LRESULT {
    seen.push_back(message);
    return 0;
  });
  WhenShown([&] {
    PostMessage(receiver.Handle(), 7, 0, 0);
    Application()->ProcessMessages();
    EXPECT_EQ(seen, std::vector<uint32_t>{7});
    form_->SetModalResult(mrCancel);
  });
  EXPECT_EQ(form_->ShowModal(), mrCancel);
}

TEST_F(FormTest, WindowMessageCloseRequest) {
  form_->Show();
  ASSERT_TRUE(form_->Visible());
  PostMessage(form_->WindowHandle(), 0x0010, 0, 0);
  Application()->ProcessMessages();
  EXPECT_FALSE(form_->Visible());
}

TEST_F(FormTest, FormFileRoundTripWithVisualClasses) {
  std::string written = WriteForm(*form_, "TFrmPref");
  TForm again(nullptr);
  ReadForm(written, again, {"again.dfm", nullptr, nullptr});
  EXPECT_EQ(WriteForm(again, "TFrmPref"), written);
  EXPECT_NE(written.find("BorderStyle = bsDialog"), std::string::npos) << written;
  EXPECT_NE(written.find("ModalResult = mrOk"), std::string::npos);
  EXPECT_NE(written.find("OnChange = Edit1Change"), std::string::npos);
  EXPECT_EQ(dynamic_cast<TProgressBar*>(again.FindComponent("ProgressBar1"))->Max(), 7);
}

}  // namespace
}  // namespace orv
