// The spin edit and the font list on a form of their own, driven by keys and
// clicks as a user drives them.
#include <QFontDatabase>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "components/form_reader.h"
#include "controls/edits.h"
#include "controls/font_combo.h"
#include "controls/form.h"
#include "controls/rx_spin.h"
#include "platform/exception.h"
#include "platform/paths.h"
#include "tagwiz/test/tagwiz_test_support.h"

namespace orv::test {
namespace {

// A form with a rows spin edit (1..30), a plain edit, OK and Cancel.
const char* const kSpinForm =
    "object SpinForm: TForm\n"
    "  BorderStyle = bsDialog\n"
    "  Caption = 'Spin'\n"
    "  ClientHeight = 120\n"
    "  ClientWidth = 300\n"
    "  object RxSpinEdit1: TRxSpinEdit\n"
    "    Left = 8\n"
    "    Top = 8\n"
    "    Width = 80\n"
    "    Height = 21\n"
    "    MaxValue = 30\n"
    "    MinValue = 1\n"
    "    Text = '2'\n"
    "    OnChange = RxSpinEdit1Change\n"
    "  end\n"
    "  object Edit1: TEdit\n"
    "    Left = 100\n"
    "    Top = 8\n"
    "    Width = 80\n"
    "    Height = 21\n"
    "  end\n"
    "  object Button1: TButton\n"
    "    Left = 100\n"
    "    Top = 80\n"
    "    Caption = '&OK'\n"
    "    Default = True\n"
    "    ModalResult = mrOk\n"
    "  end\n"
    "  object Button2: TButton\n"
    "    Left = 183\n"
    "    Top = 80\n"
    "    Cancel = True\n"
    "    Caption = '&Cancel'\n"
    "    ModalResult = mrCancel\n"
    "  end\n"
    "end\n";

class SpinEditTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    form_ = std::make_unique<TForm>(nullptr);
    ReadFormWithHandlers(kSpinForm, *form_, "spin.dfm",
                         {{"RxSpinEdit1Change", [this](TObject*, EventArgs&) { ++changes_; }}});
    spin_ = dynamic_cast<TRxSpinEdit*>(form_->FindComponent("RxSpinEdit1"));
    other_ = dynamic_cast<TEdit*>(form_->FindComponent("Edit1"));
  }
  void TearDown() override {
    form_.reset();
    DialogTest::TearDown();
  }
  QLineEdit* Line() { return qobject_cast<QLineEdit*>(Get("SpinForm", "RxSpinEdit1")); }

  std::unique_ptr<TForm> form_;
  TRxSpinEdit* spin_ = nullptr;
  TEdit* other_ = nullptr;
  int changes_ = 0;
};

TEST_F(SpinEditTest, ALetterBeepsAndChangesNothing) {
  form_->Show();
  QTest::keyClicks(Line(), "a");
  EXPECT_EQ(spin_->Text(), "2");
  EXPECT_EQ(sink_->Beeps, 1);
  QTest::keyClicks(Line(), "-1");
  EXPECT_EQ(spin_->Text(), "2-1");
  EXPECT_EQ(sink_->Beeps, 1);
  QTest::keyClicks(Line(), ".");  // no decimal point in a whole-number box
  EXPECT_EQ(sink_->Beeps, 2);
  form_->Hide();
}

TEST_F(SpinEditTest, LeavingClampsToTheRange) {
  form_->Show();
  Activate("SpinForm");
  Type("SpinForm", "RxSpinEdit1", "45");
  EXPECT_EQ(spin_->Text(), "45");
  other_->SetFocus();
  EXPECT_EQ(spin_->Text(), "30");
  Type("SpinForm", "RxSpinEdit1", "0");
  spin_->SetFocus();
  other_->SetFocus();
  EXPECT_EQ(spin_->Text(), "1");
  Type("SpinForm", "RxSpinEdit1", "");
  other_->SetFocus();
  EXPECT_EQ(spin_->Text(), "");  // not a number: left for the dialog to report
  form_->Hide();
}

TEST_F(SpinEditTest, ArrowKeysAndButtonStepWithinTheRange) {
  form_->Show();
  spin_->SetValue(29);
  changes_ = 0;
  QTest::keyClick(Line(), Qt::Key_Up);
  EXPECT_EQ(spin_->Text(), "30");
  EXPECT_TRUE(spin_->Modified());
  EXPECT_EQ(changes_, 1);
  QTest::keyClick(Line(), Qt::Key_Up);
  EXPECT_EQ(spin_->Text(), "30");
  QTest::keyClick(Line(), Qt::Key_Down);
  EXPECT_EQ(spin_->Text(), "29");
  QWidget* button = Line()->findChild<QWidget*>("Button");
  ASSERT_NE(button, nullptr);
  EXPECT_GE(button->geometry().left(), Line()->width() - 20);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 2));
  EXPECT_EQ(spin_->Text(), "30");
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() - 2));
  EXPECT_EQ(spin_->Text(), "29");
  spin_->SetIncrement(5);
  QTest::keyClick(Line(), Qt::Key_Down);
  EXPECT_EQ(spin_->Text(), "24");
  form_->Hide();
}

TEST_F(SpinEditTest, ReadOnlyAndEditorDisabledOnlyBeep) {
  form_->Show();
  spin_->SetReadOnly(true);
  QTest::keyClick(Line(), Qt::Key_Up);
  EXPECT_EQ(spin_->Text(), "2");
  EXPECT_EQ(sink_->Beeps, 1);
  spin_->SetReadOnly(false);
  spin_->SetEditorEnabled(false);
  QTest::keyClicks(Line(), "7");
  QTest::keyClick(Line(), Qt::Key_Backspace);
  EXPECT_EQ(spin_->Text(), "2");
  EXPECT_EQ(sink_->Beeps, 3);
  QTest::keyClick(Line(), Qt::Key_Up);  // stepping still works
  EXPECT_EQ(spin_->Text(), "3");
  form_->Hide();
}

TEST_F(SpinEditTest, EnterAndEscapeReachTheDialogButtons) {
  WhenShown([this] {
    Type("SpinForm", "RxSpinEdit1", "45");
    QTest::keyClick(Line(), Qt::Key_Return);
  });
  EXPECT_EQ(form_->ShowModal(), mrOk);
  EXPECT_EQ(spin_->Text(), "30");
  WhenShown([this] { QTest::keyClick(Line(), Qt::Key_Escape); });
  EXPECT_EQ(form_->ShowModal(), mrCancel);
}

TEST_F(SpinEditTest, RealValuesWithDecimals) {
  spin_->SetValueType(vtFloat);
  spin_->SetDecimal(2);
  spin_->SetIncrement(0.25);
  spin_->SetValue(1.5);
  EXPECT_EQ(spin_->Text(), "1.50");
  form_->Show();
  QTest::keyClick(Line(), Qt::Key_Up);
  EXPECT_EQ(spin_->Text(), "1.75");
  EXPECT_DOUBLE_EQ(spin_->Value(), 1.75);
  QTest::keyClicks(Line(), ".");
  EXPECT_EQ(sink_->Beeps, 0);
  spin_->SetValue(99);
  EXPECT_EQ(spin_->Text(), "30.00");
  spin_->SetText("x");
  EXPECT_THROW(spin_->Value(), EConvertError);
  form_->Hide();
}

TEST_F(SpinEditTest, NoRangeWhenTheBoundsAreEqual) {
  spin_->SetMinValue(0);
  spin_->SetMaxValue(0);
  spin_->SetValue(-500);
  EXPECT_EQ(spin_->Text(), "-500");
}

TEST(FontComboBoxTest, FontNameSelectsTheFirstFamilyIgnoringCase) {
  EnsureQtApplication();
  const QStringList families = QFontDatabase::families();
  if (families.isEmpty()) GTEST_SKIP() << "no fonts installed";
  TFontComboBox box(nullptr);
  box.SetName("FontComboBox1");
  int changes = 0;
  box.OnChange.code = [&](TObject*, EventArgs&) { ++changes; };
  box.Widget();
  EXPECT_EQ(box.Items()->Count(), families.size());
  const std::string first = families.front().toStdString();
  box.SetFontName(LowerCase(first) == first ? UpperCase(first) : LowerCase(first));
  EXPECT_EQ(box.ItemIndex(), 0);
  EXPECT_EQ(box.FontName(), first);
  EXPECT_EQ(changes, 1);
  box.SetFontName(first);  // the same text: nothing happens
  EXPECT_EQ(changes, 1);
  box.SetFontName("No Such Font Family");
  EXPECT_EQ(box.ItemIndex(), -1);
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace orv::test
