// The preferences dialog driven through DoPref as a user would.
#include <QFontDialog>
#include <QLineEdit>
#include <QTest>

#include "controls/lists.h"
#include "orv/sys.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/registry.h"

namespace orv::test {
namespace {

class PrefTest : public DialogTest {
 protected:
  std::string Prefs() const { return Home() + "preferences.dat"; }
  int PrefsChanged() {
    int count = 0;
    for (const HostMessage& message : Messages()) count += message.Message == ORV_MSG_PREFS_CHANGED;
    return count;
  }
};

TEST_F(PrefTest, WithoutAFileShowsDefaultsAndOkWritesAllSeventeenKeys) {
  WhenUp("FrmPref", [] {
    EXPECT_TRUE(IsChecked("FrmPref", "RadioButton1"));
    EXPECT_FALSE(IsChecked("FrmPref", "RadioButton2"));
    EXPECT_TRUE(IsChecked("FrmPref", "CheckBox2"));
    EXPECT_TRUE(IsChecked("FrmPref", "CheckBox7"));
    EXPECT_FALSE(IsShown("FrmPref", "CheckBox1"));
    EXPECT_FALSE(IsShown("FrmPref", "CheckBox3"));
    EXPECT_EQ(TextOf("FrmPref", "Edit5"), "8080");
    for (const char* box : {"Edit4", "Edit5", "Edit6", "Edit7"}) EXPECT_FALSE(IsEnabled("FrmPref", box)) << box;
    EXPECT_EQ(Control("FrmPref", "Label15")->font().family(), "Courier New");
    EXPECT_EQ(Control("FrmPref", "Label15")->font().pointSize(), 10);
    Click("FrmPref", "Button1");
  });
  EXPECT_EQ(DoPref(0, Host()), 1);
  EXPECT_EQ(PrefsChanged(), 1);
  TIniFile ini(Prefs());
  size_t keys = 0;
  for (const std::string& section : ini.ReadSections()) keys += ini.ReadSection(section).size();
  EXPECT_EQ(keys, 17u);
  EXPECT_EQ(ini.ReadString("Environment", "LowerTags", ""), "1");
  EXPECT_EQ(ini.ReadString("Single", "value", ""), "1");
  EXPECT_EQ(ini.ReadString("EdEnv", "FontNm", ""), "Courier New");
  EXPECT_EQ(ini.ReadString("EdEnv", "FontSz", ""), "10");
  EXPECT_EQ(ini.ReadString("Proxy", "port", ""), "8080");
  EXPECT_EQ(ini.ReadString("Environment", "LastProject", ""), "0");
}

TEST_F(PrefTest, HiddenAndUnknownValuesSurviveOk) {
  WriteFileBytes(Prefs(),
                 "[Environment]\nLastProject=1\nLowerTags=0\n[Single]\nvalue=0\n[Styles]\nStyleCount=1\n0=Plain\n"
                 "[Main]\nErr=1\n");
  WhenUp("FrmPref", [] {
    EXPECT_TRUE(IsChecked("FrmPref", "RadioButton2"));
    Click("FrmPref", "Button1");
  });
  EXPECT_EQ(DoPref(0, Host()), 1);
  TIniFile ini(Prefs());
  EXPECT_EQ(ini.ReadString("Environment", "LastProject", ""), "1");
  EXPECT_EQ(ini.ReadString("Environment", "LowerTags", ""), "0");
  EXPECT_EQ(ini.ReadString("Single", "value", ""), "0");
  EXPECT_EQ(ini.ReadString("Styles", "0", ""), "Plain");
  EXPECT_EQ(ini.ReadString("Main", "Err", ""), "1");
}

TEST_F(PrefTest, ApplyThenCancelKeepsTheAppliedValuesAndReturnsFalse) {
  WhenUp("FrmPref", [] {
    ShowTab("FrmPref", "PageControl1", 1);
    Type("FrmPref", "Edit1", "me@example.org");
    Type("FrmPref", "Edit3", "smtp.example.org");
    Click("FrmPref", "Button3");
    Type("FrmPref", "Edit2", "not saved");
    Click("FrmPref", "Button2");
  });
  EXPECT_EQ(DoPref(0, Host()), 0);
  EXPECT_EQ(PrefsChanged(), 1);
  TIniFile ini(Prefs());
  EXPECT_EQ(ini.ReadString("Bug_Mail", "email", ""), "me@example.org");
  EXPECT_EQ(ini.ReadString("Bug_Mail", "SMTPHost", ""), "smtp.example.org");
  EXPECT_EQ(ini.ReadString("Bug_Mail", "uname", "missing"), "");
}

TEST_F(PrefTest, UseProxyEnablesTheFourBoxesAndTheirTextsAreSaved) {
  WhenUp("FrmPref", [] {
    ShowTab("FrmPref", "PageControl1", 1);
    const QColor window = QApplication::palette().color(QPalette::Base);
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(Control("FrmPref", "Edit4")->palette().color(QPalette::Base), face);
    Click("FrmPref", "CheckBox4");
    for (const char* box : {"Edit4", "Edit5", "Edit6", "Edit7"}) {
      EXPECT_TRUE(IsEnabled("FrmPref", box)) << box;
      EXPECT_EQ(Control("FrmPref", box)->palette().color(QPalette::Base), window) << box;
    }
    Type("FrmPref", "Edit4", "proxy.example.org");
    Type("FrmPref", "Edit7", "secret");
    EXPECT_EQ(qobject_cast<QLineEdit*>(Control("FrmPref", "Edit7"))->echoMode(), QLineEdit::Password);
    Click("FrmPref", "CheckBox4");
    for (const char* box : {"Edit4", "Edit5", "Edit6", "Edit7"}) {
      EXPECT_FALSE(IsEnabled("FrmPref", box)) << box;
      EXPECT_EQ(Control("FrmPref", box)->palette().color(QPalette::Base), face) << box;
    }
    Click("FrmPref", "Button1");
  });
  EXPECT_EQ(DoPref(0, Host()), 1);
  TIniFile ini(Prefs());
  EXPECT_EQ(ini.ReadString("Proxy", "UseProxy", ""), "0");
  EXPECT_EQ(ini.ReadString("Proxy", "server", ""), "proxy.example.org");
  EXPECT_EQ(ini.ReadString("Proxy", "password", ""), "secret");
}

TEST_F(PrefTest, ChangeTakesTheChosenFontsNameAndSize) {
  WhenUp("FrmPref", [] {
    ShowTab("FrmPref", "PageControl1", 2);
    WhenUp("FontDialog1", [] {
      auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->currentFont().pointSize(), 10);
      QFont font = dialog->currentFont();
      font.setPointSize(14);
      dialog->setCurrentFont(font);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    Click("FrmPref", "Button4");
    EXPECT_EQ(Control("FrmPref", "Label15")->font().pointSize(), 14);
    Click("FrmPref", "Button1");
  });
  EXPECT_EQ(DoPref(0, Host()), 1);
  EXPECT_EQ(TIniFile(Prefs()).ReadString("EdEnv", "FontSz", ""), "14");
}

TEST_F(PrefTest, ResetAssociationsRegistersForTheUser) {
  WhenUp("FrmPref", [] {
    ShowTab("FrmPref", "PageControl1", 3);
    Click("FrmPref", "Button5");
    EXPECT_TRUE(IsEnabled("FrmPref", "Button5"));
    Click("FrmPref", "Button2");
  });
  EXPECT_EQ(DoPref(0, Host()), 0);
  TRegistry registry(TRootKey::ClassesRoot);
  ASSERT_TRUE(registry.OpenKey(".orv", false));
  EXPECT_EQ(registry.ReadString(""), "orvfile");
  TRegistry machine(TRootKey::LocalMachine);
  ASSERT_TRUE(machine.OpenKey("SOFTWARE\\Classes\\orvfile\\Shell\\Compile\\command", false));
  const std::string compile = machine.ReadString("");
  EXPECT_NE(compile.find("orvcc\" --window \"%1\""), std::string::npos) << compile;
  EXPECT_TRUE(FileExists(compile.substr(1, compile.find('"', 1) - 1))) << compile;
  EXPECT_TRUE(FileExists(XdgHome() + "mime/packages/orv.xml"));
  EXPECT_TRUE(FileExists(XdgHome() + "applications/orv-compile.desktop"));
}

TEST_F(PrefTest, AFailedWriteNamesTheFileAndKeepsTheDialogOpen) {
  setenv("ORV_HOME", (Home() + "not-a-folder").c_str(), 1);
  WriteFileBytes(Home() + "not-a-folder", "a file where the data folder should be");
  std::string error;
  WhenUp("FrmPref", [&error] {
    AnswerMessage("OK", &error);
    Click("FrmPref", "Button1");
    EXPECT_TRUE(IsShown("FrmPref", "Button1"));
    Click("FrmPref", "Button2");
  });
  EXPECT_EQ(DoPref(0, Host()), 0);
  EXPECT_NE(error.find("not-a-folder/preferences.dat"), std::string::npos) << error;
  EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
  EXPECT_EQ(PrefsChanged(), 0);
}

}  // namespace
}  // namespace orv::test
