// The insert dialogs driven through their exports by component name, with
// the insert records that a host window receives.
#include <QFileDialog>
#include <QTest>
#include <cstdio>
#include <fstream>

#include "orv/tagwiz.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "tagwiz/test/tagwiz_test_support.h"

namespace orv::test {
namespace {

using Rec = std::optional<std::string>;

class InsertDialogsTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    std::remove((DataDir() + "preferences.dat").c_str());
  }
  // The one record the host received.
  TReceived Only() {
    EXPECT_EQ(host_.Received().size(), 1u);
    return host_.Received().empty() ? TReceived{} : host_.Received().front();
  }
};

// A table of CR LF lines; a row ends "</tr>" LF CR.
std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

const std::string kRowEnd = "</tr>\n\r";

TEST_F(InsertDialogsTest, HyperlinkWithTheAddressOnly) {
  WhenShown([] {
    Activate("FrmHyperLink");
    EXPECT_EQ(QApplication::focusWidget(), Get("FrmHyperLink", "Edit1"));
    EXPECT_EQ(TextOf("FrmHyperLink", "Edit1"), "http://");
    Type("FrmHyperLink", "Edit1", "page.htm");
    Click("FrmHyperLink", "Button1");
  });
  ShowHLink(0, host_.Window());
  TReceived got = Only();
  EXPECT_EQ(got.Message, 2924u);
  EXPECT_EQ(got.WParam, 0u);
  EXPECT_EQ(got.Text, Rec("<a href=\"page.htm\">"));
  EXPECT_EQ(got.CloseText, Rec("</a>"));
  EXPECT_EQ(got.WrapFlag, Rec("yes"));
}

TEST_F(InsertDialogsTest, HyperlinkWithDescriptionTargetAndQuotedStyle) {
  WhenShown([] {
    auto* target = qobject_cast<QComboBox*>(Get("FrmHyperLink", "Edit3"));
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->count(), 4);
    EXPECT_EQ(target->itemText(3), "_top");
    EXPECT_EQ(target->currentText(), "");
    Type("FrmHyperLink", "Edit1", "page.htm");
    Type("FrmHyperLink", "Edit2", "Home");
    Type("FrmHyperLink", "Edit3", "_top");
    Type("FrmHyperLink", "Edit4", "color:\"red\"");
    QTest::keyClick(Get("FrmHyperLink", "Edit2"), Qt::Key_Return);  // the default button
  });
  ShowHLink(0, host_.Window());
  TReceived got = Only();
  EXPECT_EQ(got.Text, Rec("<a href=\"page.htm\" target=\"_top\" style=\"color:\"red\"\">Home"));
  EXPECT_EQ(got.WrapFlag, Rec("no"));
}

TEST_F(InsertDialogsTest, CancelSendsNothing) {
  WhenShown([] { Click("FrmHyperLink", "Button2"); });
  ShowHLink(0, host_.Window());
  WhenShown([] { QTest::keyClick(Get("FrmTable", "RxSpinEdit1"), Qt::Key_Escape); });
  EXPECT_EQ(InsTable(0, host_.Window(), "true"), 0);
  WhenShown([] { Click("FrmActiveX", "Button2"); });
  EXPECT_EQ(InsActiveX(0, host_.Window(), "true"), 0);
  WhenShown([] { Click("FrmJava", "Button2"); });
  EXPECT_EQ(InsJavaApp(0, host_.Window(), "true"), 0);
  EXPECT_TRUE(host_.Received().empty());
  EXPECT_TRUE(sink_->Messages.empty());
}

TEST_F(InsertDialogsTest, TableDefaults) {
  WhenShown([] {
    EXPECT_EQ(TextOf("FrmTable", "RxSpinEdit1"), "2");
    EXPECT_EQ(TextOf("FrmTable", "RxSpinEdit2"), "2");
    EXPECT_EQ(TextOf("FrmTable", "ComboBox2"), "(Default)");
    EXPECT_EQ(TextOf("FrmTable", "Edit1"), "100");
    EXPECT_FALSE(Get("FrmTable", "Edit1")->isEnabled());
    EXPECT_FALSE(Get("FrmTable", "RadioButton3")->isEnabled());
    EXPECT_FALSE(Get("FrmTable", "ComboBox1")->isEnabled());
    EXPECT_FALSE(Get("FrmTable", "RadioButton1")->isEnabled());  // no style names
    Click("FrmTable", "Button1");
  });
  EXPECT_EQ(InsTable(0, host_.Window(), "true"), 1);
  const std::string row = Lines({"<tr>", "<td>&nbsp;</td>", "<td>&nbsp;</td>", kRowEnd.c_str()});
  TReceived got = Only();
  EXPECT_EQ(got.Message, 2029u);
  EXPECT_EQ(got.Text, Rec(Lines({"<table border=0 cellpadding=0 cellspacing=0>"}) + row + row + Lines({"</table>"})));
  EXPECT_EQ(got.CloseText, std::nullopt);
  EXPECT_EQ(got.WrapFlag, Rec("no"));
}

TEST_F(InsertDialogsTest, TableCentredInUpperCase) {
  WhenShown([] {
    Type("FrmTable", "ComboBox2", "Center");
    Type("FrmTable", "RxSpinEdit1", "1");
    Type("FrmTable", "RxSpinEdit2", "1");
    Click("FrmTable", "Button1");
  });
  EXPECT_EQ(InsTable(0, host_.Window(), "TRUE"), 1);
  TReceived got = Only();
  EXPECT_EQ(got.Text, Rec(Lines({"<TABLE ALIGN=\"CENTER\" BORDER=0 CELLPADDING=0 CELLSPACING=0>", "<TR>",
                                 "<TD>&NBSP;</TD>", "</TR>\n\r", "</TABLE>"})));
  EXPECT_EQ(got.WrapFlag, Rec("NO"));
}

// The start tag that a width setting gives, in lower case.
struct WidthCase {
  const char* width;
  bool pixels;
  const char* extra;
  const char* start;
};

TEST_F(InsertDialogsTest, TableWidths) {
  const WidthCase cases[] = {
      {"150", false, "", "<table border=0 cellpadding=0 cellspacing=0 width=\"100%\">"},
      {"100", false, "", "<table border=0 cellpadding=0 cellspacing=0 width=\"100%\">"},
      {"50", false, "", "<table border=0 cellpadding=0 cellspacing=0 width=\"50%\">"},
      {"640", true, "", "<table border=0 cellpadding=0 cellspacing=0 width=640>"},
      {"640", true, "BgColor=Red", "<table border=0 cellpadding=0 cellspacing=0 width=640 bgcolor=red>"},
  };
  for (const WidthCase& c : cases) {
    THost host;
    WhenShown([&c] {
      Click("FrmTable", "CheckBox1");
      QWidget* width = Get("FrmTable", "Edit1");
      EXPECT_TRUE(width->isEnabled());
      EXPECT_TRUE(Get("FrmTable", "RadioButton4")->isEnabled());
      EXPECT_EQ(width->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
      Type("FrmTable", "Edit1", c.width);
      if (c.pixels) Click("FrmTable", "RadioButton4");
      Type("FrmTable", "Edit4", c.extra);
      Click("FrmTable", "Button1");
    });
    EXPECT_EQ(InsTable(0, host.Window(), "true"), 1);
    ASSERT_EQ(host.Received().size(), 1u);
    EXPECT_EQ(host.Received()[0].Text->substr(0, host.Received()[0].Text->find("\r\n")), c.start) << c.width;
  }
}

TEST_F(InsertDialogsTest, WidthCheckBoxTogglesEnablingAndColour) {
  WhenShown([] {
    Click("FrmTable", "CheckBox1");
    Click("FrmTable", "CheckBox1");
    QWidget* width = Get("FrmTable", "Edit1");
    EXPECT_FALSE(width->isEnabled());
    EXPECT_EQ(width->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
    Click("FrmTable", "Button2");
  });
  EXPECT_EQ(InsTable(0, host_.Window(), "true"), 0);
}

TEST_F(InsertDialogsTest, TableExtrasOnRowsAndCells) {
  WhenShown([] {
    Type("FrmTable", "RxSpinEdit1", "1");
    Type("FrmTable", "RxSpinEdit2", "1");
    Type("FrmTable", "Edit2", "valign=top");
    Type("FrmTable", "Edit3", "class=\"c\"");
    Click("FrmTable", "Button1");
  });
  EXPECT_EQ(InsTable(0, host_.Window(), nullptr), 1);
  EXPECT_EQ(Only().Text, Rec(Lines({"<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>", "<TR VALIGN=TOP>",
                                    "<TD CLASS=\"C\">&NBSP;</TD>", "</TR>\n\r", "</TABLE>"})));
}

TEST_F(InsertDialogsTest, NotAWholeNumberIsReportedInsideTheDialog) {
  struct Case {
    const char* box;
    const char* text;
    const char* message;
  };
  const Case cases[] = {{"RxSpinEdit1", "", "'' is not a valid integer value"},
                        {"RxSpinEdit2", "+", "'+' is not a valid integer value"},
                        {"Edit1", "wide", "'wide' is not a valid integer value"}};
  for (const Case& c : cases) {
    sink_->Messages.clear();
    WhenShown([this, &c] {
      Activate("FrmTable");
      if (std::string(c.box) == "Edit1") Click("FrmTable", "CheckBox1");
      Type("FrmTable", c.box, c.text);
      Click("FrmTable", "Button1");
      EXPECT_EQ(sink_->Messages, std::vector<std::string>{c.message});
      EXPECT_TRUE(Get("FrmTable", "Button1")->isVisible());
      EXPECT_EQ(QApplication::focusWidget(), Get("FrmTable", c.box));
      Click("FrmTable", "Button2");
    });
    EXPECT_EQ(InsTable(0, host_.Window(), "true"), 0) << c.box;
  }
  EXPECT_TRUE(host_.Received().empty());
}

TEST_F(InsertDialogsTest, StyleNamesFromThePreferences) {
  std::ofstream(DataDir() + "preferences.dat") << "[Styles]\nStyleCount=2\n0=Plain\n1=Fancy\n";
  WhenShown([] {
    EXPECT_TRUE(Get("FrmTable", "RadioButton1")->isEnabled());
    EXPECT_FALSE(Get("FrmTable", "ComboBox1")->isEnabled());
    auto* styles = qobject_cast<QComboBox*>(Get("FrmTable", "ComboBox1"));
    EXPECT_EQ(styles->count(), 2);
    EXPECT_EQ(styles->currentText(), "Plain");
    Click("FrmTable", "RadioButton1");
    EXPECT_TRUE(styles->isEnabled());
    Click("FrmTable", "RadioButton2");
    EXPECT_TRUE(styles->isEnabled());  // choosing the layout again keeps it enabled
    Click("FrmTable", "RadioButton1");
    Type("FrmTable", "ComboBox1", "Fancy");
    Click("FrmTable", "Button1");
  });
  EXPECT_EQ(InsTable(0, host_.Window(), "true"), 1);
  EXPECT_EQ(Only().Text->substr(0, Only().Text->find("\r\n")),
            "<table border=0 cellpadding=0 cellspacing=0 style=\"fancy\">");
}

TEST_F(InsertDialogsTest, TableDialogPicture) {
  std::ofstream(DataDir() + "preferences.dat") << "[Styles]\nStyleCount=1\n0=Plain\n";
  WhenShown([] {
    Click("FrmTable", "CheckBox1");
    Click("FrmTable", "RadioButton1");
    Screenshot("FrmTable", "tagwiz-table.png");
    Click("FrmTable", "Button2");
  });
  EXPECT_EQ(InsTable(0, host_.Window(), "true"), 0);
}

TEST_F(InsertDialogsTest, ActiveXDefaultsWithAName) {
  WhenShown([] {
    EXPECT_EQ(TextOf("FrmActiveX", "Edit1"), "clsid:");
    EXPECT_EQ(TextOf("FrmActiveX", "Edit8"), "http://");
    EXPECT_EQ(TextOf("FrmActiveX", "ComboBox1"), "Bottom");
    Type("FrmActiveX", "Edit2", "cal");
    Click("FrmActiveX", "Button1");
  });
  EXPECT_EQ(InsActiveX(0, host_.Window(), "true"), 1);
  TReceived got = Only();
  EXPECT_EQ(got.Message, 2029u);
  EXPECT_EQ(got.Text, Rec("<object id=\"cal\" name=\"cal\" classid=\"clsid:\" align=\"Bottom\">http://</object>"));
  EXPECT_EQ(got.CloseText, std::nullopt);
  EXPECT_EQ(got.WrapFlag, Rec("no"));
}

TEST_F(InsertDialogsTest, ActiveXVerticalSpacingInUpperCase) {
  WhenShown([] {
    Type("FrmActiveX", "Edit2", "cal");
    Type("FrmActiveX", "Edit6", "5");
    Type("FrmActiveX", "Edit3", "-4");
    Click("FrmActiveX", "Button1");
  });
  EXPECT_EQ(InsActiveX(0, host_.Window(), "false"), 1);
  EXPECT_EQ(Only().Text, Rec("<OBJECT ID=\"cal\" NAME=\"cal\" CLASSID=\"clsid:\" ALIGN=\"Bottom\"   VSPACE=\"5\">"
                             "http://</OBJECT>"));
  EXPECT_EQ(Only().WrapFlag, Rec("no"));
}

TEST_F(InsertDialogsTest, ActiveXSizeThatIsNotANumber) {
  WhenShown([this] {
    Activate("FrmActiveX");
    Type("FrmActiveX", "Edit4", "tall");
    Click("FrmActiveX", "Button1");
    EXPECT_EQ(sink_->Messages, std::vector<std::string>{"'tall' is not a valid integer value"});
    EXPECT_EQ(QApplication::focusWidget(), Get("FrmActiveX", "Edit4"));
    Type("FrmActiveX", "Edit4", "20");
    Click("FrmActiveX", "Button1");
  });
  EXPECT_EQ(InsActiveX(0, host_.Window(), "true"), 1);
  EXPECT_EQ(Only().Text, Rec("<object id=\"\" name=\"\" classid=\"clsid:\" align=\"Bottom\" height=\"20\">"
                             "http://</object>"));
}

TEST_F(InsertDialogsTest, EmptyJavaApplet) {
  WhenShown([] { Click("FrmJava", "Button1"); });
  EXPECT_EQ(InsJavaApp(0, host_.Window(), "true"), 1);
  TReceived got = Only();
  EXPECT_EQ(got.Message, 2029u);
  EXPECT_EQ(got.Text,
            Rec("<applet codebase=\"\" code=\"\" alt=\"\" name=\"\" align=\"\" width=\"\" height=\"\"></applet>"));
  EXPECT_EQ(got.WrapFlag, Rec("no"));
}

// The file dialog of the "Open" button, once it is up.
QFileDialog* OpenDialog() {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->objectName() == "OpenDialog1" && top->isVisible()) return qobject_cast<QFileDialog*>(top);
  return nullptr;
}

TEST_F(InsertDialogsTest, OpenPutsTheClassFileNameWithoutItsFolder) {
  const std::string folder = DataDir() + "applets";
  ForceDirectories(folder);
  std::ofstream(folder + "/Clock.class") << "class";
  WhenShown([&folder] {
    Type("FrmJava", "Edit2", "classes/");
    WhenShown([] {
      QFileDialog* files = OpenDialog();
      ASSERT_NE(files, nullptr);
      // Each pattern shown once; "*.*" lists every file.
      EXPECT_EQ(files->nameFilters(), (QStringList{"Java Classes (*.class)", "All Files (*)"}));
      files->reject();
    });
    Click("FrmJava", "SpeedButton1");
    EXPECT_EQ(TextOf("FrmJava", "Edit1"), "");
    WhenShown([&folder] {
      QFileDialog* files = OpenDialog();
      ASSERT_NE(files, nullptr);
      EXPECT_EQ(files->defaultSuffix(), "class");
      files->selectFile(QString::fromStdString(folder + "/Clock.class"));
      QMetaObject::invokeMethod(files, "accept");
    });
    Click("FrmJava", "SpeedButton1");
    EXPECT_EQ(TextOf("FrmJava", "Edit1"), "Clock.class");
    EXPECT_EQ(TextOf("FrmJava", "Edit2"), "classes/");
    Click("FrmJava", "Button1");
  });
  EXPECT_EQ(InsJavaApp(0, host_.Window(), "true"), 1);
  EXPECT_EQ(Only().Text, Rec("<applet codebase=\"classes/\" code=\"Clock.class\" alt=\"\" name=\"\" align=\"\" "
                             "width=\"\" height=\"\"></applet>"));
}

TEST_F(InsertDialogsTest, JavaAppletFieldsKeepTheirCase) {
  WhenShown([] {
    Type("FrmJava", "Edit1", "Clock.class");
    Type("FrmJava", "Edit2", "Applets/");
    Type("FrmJava", "Edit3", "Clock");
    Type("FrmJava", "Edit4", "A Clock");
    Type("FrmJava", "ComboBox1", "Center");
    Type("FrmJava", "Edit5", "80");
    Type("FrmJava", "Edit6", "60");
    Click("FrmJava", "Button1");
  });
  EXPECT_EQ(InsJavaApp(0, host_.Window(), "yes"), 1);
  EXPECT_EQ(Only().Text, Rec("<APPLET CODEBASE=\"Applets/\" CODE=\"Clock.class\" ALT=\"A Clock\" NAME=\"Clock\" "
                             "ALIGN=\"Center\" WIDTH=\"80\" HEIGHT=\"60\"></APPLET>"));
}

}  // namespace
}  // namespace orv::test
