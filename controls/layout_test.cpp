// Layouts that adapt: anchors when a parent is resized, size constraints,
// fonts taken from the parent, forms that scale with their font (the
// library's find, replace and input boxes among them), pages of a page
// control, and what form files carry for them (list-view columns, pictures),
// read and written back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "components/form_reader.h"
#include "components/form_writer.h"
#include "controls/buttons.h"
#include "controls/common_dialogs.h"
#include "controls/containers.h"
#include "controls/controls_test_support.h"
#include "controls/dialogs.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/graphic_controls.h"
#include "controls/image_list.h"
#include "controls/layout_test_support.h"
#include "controls/list_view.h"

namespace orv {
namespace {

// A resizable form whose controls follow its edges in every way anchors allow.
const char* const kAnchoredForm =
    "object Form1: TForm\n"
    "  BorderStyle = bsSizeable\n"
    "  ClientWidth = 300\n"
    "  ClientHeight = 200\n"
    "  Constraints.MinWidth = 300\n"
    "  Constraints.MinHeight = 200\n"
    "  object Edit1: TEdit\n"
    "    Left = 10\n"
    "    Top = 10\n"
    "    Width = 200\n"
    "    Height = 21\n"
    "    Anchors = [akLeft, akTop, akRight]\n"
    "  end\n"
    "  object Panel1: TPanel\n"
    "    Left = 10\n"
    "    Top = 40\n"
    "    Width = 280\n"
    "    Height = 100\n"
    "    Anchors = [akLeft, akTop, akRight, akBottom]\n"
    "    object Button2: TButton\n"
    "      Left = 195\n"
    "      Top = 65\n"
    "      Width = 75\n"
    "      Height = 25\n"
    "      Anchors = [akRight, akBottom]\n"
    "    end\n"
    "  end\n"
    "  object Button1: TButton\n"
    "    Left = 215\n"
    "    Top = 165\n"
    "    Width = 75\n"
    "    Height = 25\n"
    "    Anchors = [akRight, akBottom]\n"
    "  end\n"
    "  object Label1: TLabel\n"
    "    Left = 100\n"
    "    Top = 150\n"
    "    AutoSize = False\n"
    "    Width = 100\n"
    "    Height = 13\n"
    "    Anchors = []\n"
    "  end\n"
    "end\n";

QRect Bounds(const TComponent& form, const char* name) {
  auto* control = dynamic_cast<TControl*>(form.FindComponent(name));
  return control ? QRect(control->Left(), control->Top(), control->Width(), control->Height()) : QRect();
}

class LayoutTest : public testing::Test {
 protected:
  void SetUp() override { EnsureQtApplication(); }

  // A form read from `text`.
  static std::unique_ptr<TForm> Read(const char* text) {
    auto form = std::make_unique<TForm>(nullptr);
    ReadForm(text, *form, {"layout.dfm", nullptr, nullptr});
    return form;
  }
};

TEST_F(LayoutTest, AnchoredControlsFollowTheEdgesTheyAreAnchoredTo) {
  auto form = Read(kAnchoredForm);
  form->SetBounds(form->Left(), form->Top(), 400, 260);
  EXPECT_EQ(Bounds(*form, "Edit1"), QRect(10, 10, 300, 21));     // stretched
  EXPECT_EQ(Bounds(*form, "Panel1"), QRect(10, 40, 380, 160));   // both ways
  EXPECT_EQ(Bounds(*form, "Button2"), QRect(295, 125, 75, 25));  // in the panel
  EXPECT_EQ(Bounds(*form, "Button1"), QRect(315, 225, 75, 25));  // moved
  EXPECT_EQ(Bounds(*form, "Label1"), QRect(150, 180, 100, 13));  // kept centred
  // Back to the first size, everything is where the form file put it.
  form->SetBounds(form->Left(), form->Top(), 300, 200);
  EXPECT_EQ(Bounds(*form, "Button1"), QRect(215, 165, 75, 25));
  EXPECT_EQ(Bounds(*form, "Button2"), QRect(195, 65, 75, 25));
}

TEST_F(LayoutTest, TheWindowResizedByTheUserMovesTheControlsToo) {
  auto form = Read(kAnchoredForm);
  form->Show();
  QWidget* window = form->ExistingWidget();
  EXPECT_EQ(window->minimumSize(), QSize(300, 200));
  window->resize(450, 230);
  QCoreApplication::processEvents();
  EXPECT_EQ(form->Width(), 450);
  EXPECT_EQ(test::FindIn("Form1", "Button1")->geometry(), QRect(365, 195, 75, 25));
  EXPECT_EQ(test::FindIn("Form1", "Edit1")->geometry(), QRect(10, 10, 350, 21));
  form->Hide();
}

TEST_F(LayoutTest, ConstraintsBoundTheSize) {
  TForm form(nullptr);
  TButton button(&form);
  button.Constraints()->SetMinWidth(50);
  button.Constraints()->SetMaxHeight(30);
  button.SetBounds(0, 0, 10, 100);
  EXPECT_EQ(button.Width(), 50);
  EXPECT_EQ(button.Height(), 30);
  button.Constraints()->SetMinWidth(80);  // a new limit applies at once
  EXPECT_EQ(button.Width(), 80);
  auto form_read = Read(kAnchoredForm);
  form_read->SetBounds(0, 0, 100, 50);
  EXPECT_EQ(form_read->Width(), 300);
  EXPECT_EQ(form_read->Height(), 200);
}

TEST_F(LayoutTest, ControlsTakeTheirParentsFontUntilTheyHaveTheirOwn) {
  auto form = Read(
      "object Form1: TForm\n"
      "  Font.Name = 'Serif'\n"
      "  object Panel1: TPanel\n"
      "    object Label1: TLabel\n"
      "      Caption = 'inner'\n"
      "    end\n"
      "  end\n"
      "  object Label2: TLabel\n"
      "    Caption = 'own'\n"
      "    Font.Style = [fsBold]\n"
      "  end\n"
      "end\n");
  auto* inner = dynamic_cast<TLabel*>(form->FindComponent("Label1"));
  auto* own = dynamic_cast<TLabel*>(form->FindComponent("Label2"));
  EXPECT_EQ(inner->Font()->Name(), "Serif");
  EXPECT_TRUE(inner->ParentFont());
  EXPECT_EQ(own->Font()->Name(), "Serif");  // taken before its own style was set
  EXPECT_FALSE(own->ParentFont());
  form->Font()->SetSize(14);
  EXPECT_EQ(inner->Font()->Size(), 14);  // through the panel
  EXPECT_EQ(own->Font()->Size(), 8);
  const std::string written = WriteForm(*form);
  EXPECT_EQ(written.find("Font.Size = 14", written.find("object Panel1")), std::string::npos) << written;
  EXPECT_NE(written.find("Font.Style = [fsBold]"), std::string::npos) << written;
  EXPECT_NE(written.find("ParentFont = False"), std::string::npos) << written;
  own->SetParentFont(true);
  EXPECT_EQ(own->Font()->Size(), 14);
  EXPECT_EQ(own->Font()->Style(), 0);
}

// A form laid out for a font whose line is 13 pixels high.
const char* const kScaledForm =
    "object Form1: TForm\n"
    "  BorderStyle = bsSizeable\n"
    "  ClientWidth = 260\n"
    "  ClientHeight = 130\n"
    "  TextHeight = 13\n"
    "  Constraints.MinWidth = 260\n"
    "  object Label1: TLabel\n"
    "    Left = 8\n"
    "    Top = 8\n"
    "    Caption = 'Name:'\n"
    "  end\n"
    "  object Edit1: TEdit\n"
    "    Left = 60\n"
    "    Top = 6\n"
    "    Width = 192\n"
    "    Height = 21\n"
    "    Anchors = [akLeft, akTop, akRight]\n"
    "  end\n"
    "  object Button1: TButton\n"
    "    Left = 177\n"
    "    Top = 97\n"
    "    Width = 75\n"
    "    Height = 25\n"
    "    Anchors = [akRight, akBottom]\n"
    "  end\n"
    "end\n";

TEST_F(LayoutTest, AScaledFormFollowsItsFont) {
  auto form = Read(kScaledForm);
  const int normal = QFontMetrics(form->Font()->ToQFont()).height();
  form->Show();
  // Laid out for a line 13 pixels high, the form scales by the font's own.
  const int width = MulDiv(260, normal, 13);
  EXPECT_EQ(form->Width(), width);
  EXPECT_EQ(form->TextHeight(), normal);
  form->Font()->SetSize(12);
  const int large = QFontMetrics(form->Font()->ToQFont()).height();
  ASSERT_GT(large, normal);
  EXPECT_EQ(form->TextHeight(), large);
  EXPECT_EQ(form->Width(), MulDiv(width, large, normal));
  EXPECT_EQ(form->Constraints()->MinWidth(), MulDiv(MulDiv(260, normal, 13), large, normal));
  auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label1"));
  EXPECT_EQ(label->Width(), QFontMetrics(label->Font()->ToQFont()).horizontalAdvance("Name:"));
  // The button kept its place at the bottom right corner.
  const QRect button = Bounds(*form, "Button1");
  EXPECT_NEAR(form->Width() - (button.x() + button.width()), 8 * large / 13.0, 2);
  EXPECT_NEAR(form->Height() - (button.y() + button.height()), 8 * large / 13.0, 2);
  // Anchors hold from the scaled places on.
  form->SetBounds(form->Left(), form->Top(), form->Width() + 50, form->Height());
  EXPECT_EQ(Bounds(*form, "Button1").x(), button.x() + 50);
  form->Hide();
}

TEST_F(LayoutTest, AFormWithoutTextHeightKeepsItsLayout) {
  auto form = Read(kAnchoredForm);
  form->Show();
  form->Font()->SetSize(14);
  EXPECT_EQ(form->Width(), 300);
  EXPECT_EQ(Bounds(*form, "Button1"), QRect(215, 165, 75, 25));
  form->Hide();
}

TEST_F(LayoutTest, PagesHaveThePageAreaOfTheirPageControl) {
  auto form = Read(
      "object Form1: TForm\n"
      "  ClientWidth = 300\n"
      "  ClientHeight = 240\n"
      "  object PageControl1: TPageControl\n"
      "    Left = 8\n"
      "    Top = 8\n"
      "    Width = 284\n"
      "    Height = 224\n"
      "    object TabSheet1: TTabSheet\n"
      "      Caption = 'One'\n"
      "      object Edit1: TEdit\n"
      "        Left = 8\n"
      "        Top = 8\n"
      "        Width = 200\n"
      "        Anchors = [akLeft, akTop, akRight]\n"
      "      end\n"
      "    end\n"
      "    object TabSheet2: TTabSheet\n"
      "      Caption = 'Two'\n"
      "    end\n"
      "  end\n"
      "end\n");
  auto* sheet = dynamic_cast<TTabSheet*>(form->FindComponent("TabSheet1"));
  const int estimate = sheet->Width();
  EXPECT_GT(estimate, 260);
  EXPECT_LT(estimate, 284);
  form->Show();
  auto* tabs = qobject_cast<QTabWidget*>(test::FindIn("Form1", "PageControl1"));
  ASSERT_NE(tabs, nullptr);
  const QSize area = tabs->currentWidget()->size();
  EXPECT_EQ(QSize(sheet->Width(), sheet->Height()), area);
  // The edit keeps its distance to the page's right edge, whatever the page's size.
  EXPECT_EQ(Bounds(*form, "Edit1").width(), 200 + area.width() - estimate);
  form->Hide();
}

TEST_F(LayoutTest, ListViewColumnsAndPicturesRoundTripThroughFormFiles) {
  auto form = Read(
      "object Form1: TForm\n"
      "  object ImageList1: TImageList\n"
      "    Width = 32\n"
      "    Height = 32\n"
      "  end\n"
      "  object ListView1: TListView\n"
      "    ViewStyle = vsReport\n"
      "    LargeImages = ImageList1\n"
      "    Columns = <\n"
      "      item\n"
      "        Caption = 'Variable'\n"
      "        Width = 140\n"
      "      end\n"
      "      item\n"
      "        Caption = 'Value'\n"
      "        Width = 240\n"
      "      end>\n"
      "  end\n"
      "  object Image1: TImage\n"
      "    Picture.IconName = 'dialog-error'\n"
      "    Picture.IconSize = 48\n"
      "  end\n"
      "  object SpeedButton1: TSpeedButton\n"
      "  end\n"
      "end\n");
  auto* list = dynamic_cast<TListView*>(form->FindComponent("ListView1"));
  ASSERT_EQ(list->ColumnCount(), 2);
  EXPECT_EQ(list->Column(1).Caption(), "Value");
  EXPECT_EQ(list->LargeImages(), form->FindComponent("ImageList1"));
  auto* image = dynamic_cast<TImage*>(form->FindComponent("Image1"));
  EXPECT_EQ(image->Picture()->Width(), 48);  // the style's picture where no theme has one
  QImage glyph(4, 4, QImage::Format_ARGB32);
  glyph.fill(Qt::red);
  dynamic_cast<TSpeedButton*>(form->FindComponent("SpeedButton1"))->Glyph()->SetImage(glyph);
  form->Show();
  auto* tree = qobject_cast<QTreeWidget*>(test::FindIn("Form1", "ListView1"));
  EXPECT_EQ(tree->headerItem()->text(0), "Variable");
  EXPECT_EQ(tree->columnWidth(1), 240);
  form->Hide();

  const std::string written = WriteForm(*form);
  EXPECT_NE(written.find("    Columns = <\n      item\n        Caption = 'Variable'\n        Width = 140\n"),
            std::string::npos)
      << written;
  EXPECT_NE(written.find("Picture.IconName = 'dialog-error'"), std::string::npos) << written;
  EXPECT_EQ(written.find("Picture.Data"), std::string::npos) << "an icon by name carries no data";
  EXPECT_NE(written.find("Glyph.Data = {\n      89504E47"), std::string::npos) << written;
  TForm again(nullptr);
  ReadForm(written, again, {"again.dfm", nullptr, nullptr});
  EXPECT_EQ(WriteForm(again), written);
  auto* button = dynamic_cast<TSpeedButton*>(again.FindComponent("SpeedButton1"));
  EXPECT_EQ(button->Glyph()->Image().pixelColor(1, 1), QColor(Qt::red));
}

TEST_F(LayoutTest, PictureDataThatIsNoImageIsAnErrorOfTheFile) {
  TForm form(nullptr);
  try {
    ReadForm("object Form1: TForm\n  object Image1: TImage\n    Picture.Data = {0102}\n  end\nend\n", form,
             {"bad.dfm", nullptr, nullptr});
    FAIL();
  } catch (const EFormFileError& error) {
    EXPECT_NE(std::string(error.what())
                  .find("at line 3: Error reading Image1.Picture.Data: The picture's data is not an image"),
              std::string::npos)
        << error.what();
  }
}

TEST_F(LayoutTest, TheFindAndReplaceBoxesAdaptToTheirFontAndSize) {
  TReplaceDialog replace(nullptr);
  replace.SetName("ReplaceDialog1");
  replace.Execute();
  auto* form = dynamic_cast<TCustomForm*>(ObjectFromHandle(static_cast<uint32_t>(replace.Handle())));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Caption(), "Replace");
  EXPECT_EQ(test::FormFileRoundTripChange(*form), "");
  EXPECT_THAT(test::LayoutProblemsAtEverySize(*form), testing::IsEmpty());
  TFindDialog find(nullptr);
  find.Execute();
  form = dynamic_cast<TCustomForm*>(ObjectFromHandle(static_cast<uint32_t>(find.Handle())));
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->FindComponent("ReplaceEdit"), nullptr);
  EXPECT_EQ(test::FormFileRoundTripChange(*form), "");
  EXPECT_THAT(test::LayoutProblemsAtEverySize(*form), testing::IsEmpty());
}

// The problems of the visible form `name`'s layout at its font and at a
// 1.5 times larger one, checked while it runs modally.
std::vector<std::string> ModalLayoutProblems(const std::string& name) {
  for (int i = 0; i < Screen()->FormCount(); ++i) {
    TCustomForm* form = Screen()->Forms(i);
    if (form->Name() != name || !form->Visible()) continue;
    std::vector<std::string> problems = test::LayoutProblems(*form);
    form->Font()->SetSize(form->Font()->Size() * 3 / 2);
    for (const std::string& problem : test::LayoutProblems(*form)) problems.push_back("larger: " + problem);
    return problems;
  }
  return {name + " is not shown"};
}

TEST_F(LayoutTest, TheInputBoxAdaptsToItsFont) {
  std::vector<std::string> problems;
  test::WhenUp("InputQuery", [&](QWidget&) {
    problems = ModalLayoutProblems("InputQuery");
    QTest::mouseClick(test::FindIn("InputQuery", "Cancel"), Qt::LeftButton);
  });
  std::string value;
  InputQuery("Rename", "The page's new name, without its folder or its extension:", value);
  EXPECT_THAT(problems, testing::IsEmpty());
}

}  // namespace
}  // namespace orv
