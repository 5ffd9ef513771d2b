// preferences.dat and ~tmppref.ini: defaults, the order keys are written in,
// and what a reader makes of odd values.
#include "orvsys/model/preferences.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "orvsys/model/project_options.h"
#include "platform/files.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() / ("orv-prefs-" + std::to_string(::getpid()))).string() + "/";
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string dir_;
};

TEST_F(PreferencesTest, DefaultsWritesInOrderAndReadsBack) {
  const TPreferences defaults = ReadPreferences(dir_ + "missing.dat");
  EXPECT_TRUE(defaults.LowerTags);
  EXPECT_FALSE(defaults.LastProject);
  EXPECT_EQ(defaults.FontName, "Courier New");
  EXPECT_EQ(defaults.FontSize, 10);
  EXPECT_EQ(defaults.ProxyPort, "8080");
  WritePreferences(dir_ + "preferences.dat", defaults);
  EXPECT_EQ(ReadFileBytes(dir_ + "preferences.dat"),
            "[Environment]\nLowerTags=1\nLastProject=0\nNewEditor=1\nInsImg=1\n"
            "\n[Single]\nvalue=1\n"
            "\n[Bug_Mail]\nemail=\nuname=\nSMTPHost=\n"
            "\n[EdEnv]\nMaximize=0\nUNIX=0\nFontNm=Courier New\nFontSz=10\n"
            "\n[Proxy]\nUseProxy=0\nserver=\nport=8080\nusername=\npassword=\n");
}

TEST_F(PreferencesTest, OddValuesFallBackToTheDefaults) {
  WriteFileBytes(dir_ + "p.dat", "[environment]\nlowertags=yes\nNEWEDITOR=0\n[EdEnv]\nFontSz=big\nFontNm=Mono\n");
  const TPreferences prefs = ReadPreferences(dir_ + "p.dat");
  EXPECT_TRUE(prefs.LowerTags);
  EXPECT_FALSE(prefs.NewEditor);
  EXPECT_EQ(prefs.FontSize, 10);
  EXPECT_EQ(prefs.FontName, "Mono");
}

TEST_F(PreferencesTest, ProjectOptionsRoundTripInOrder) {
  TProjectOptions options = ReadProjectOptions(dir_ + "missing.ini");
  EXPECT_TRUE(options.Databases && options.Vars && options.Scripts && options.ExtApps && options.Includes);
  options.SourceDir = "/site/src";
  options.Databases = false;
  WriteProjectOptions(dir_ + "~tmppref.ini", options);
  EXPECT_EQ(ReadFileBytes(dir_ + "~tmppref.ini"),
            "[dirs]\nimg=\nsrc=/site/src\nout=\nimg_prep=\n\n[compiler]\nvars=1\ndb=0\nscripts=1\next=1\ninc=1\n");
  EXPECT_FALSE(ReadProjectOptions(dir_ + "~tmppref.ini").Databases);
}

TEST_F(PreferencesTest, MailSettingsRoundTripAndLeaveOtherKeysAlone) {
  const std::string path = dir_ + "mail.dat";
  WriteFileBytes(path, "[Bug_Mail]\nemail=old@example.org\nother=kept\n[Main]\nErr=0\n");
  WriteMailSettings(path, {"Joe User", "joe@example.org", "mail.example.org:2525"});
  EXPECT_EQ(ReadFileBytes(path),
            "[Bug_Mail]\nemail=joe@example.org\nother=kept\nuname=Joe User\nSMTPHost=mail.example.org:2525\n"
            "[Main]\nErr=0\n");
  const TMailSettings mail = ReadMailSettings(path);
  EXPECT_EQ(mail.UserName, "Joe User");
  EXPECT_EQ(mail.Email, "joe@example.org");
  EXPECT_EQ(mail.SmtpHost, "mail.example.org:2525");
  EXPECT_EQ(ReadPreferences(path).UserName, "Joe User");
  EXPECT_TRUE(ReadMailSettings(dir_ + "missing.dat").UserName.empty());
}

TEST_F(PreferencesTest, TheBugReportThanksAreRememberedInMain) {
  const std::string path = dir_ + "thanks.dat";
  EXPECT_FALSE(BugReportThanked(path));
  SetBugReportThanked(path);
  EXPECT_TRUE(BugReportThanked(path));
  EXPECT_EQ(ReadFileBytes(path), "[Main]\nErr=1\n");
}

}  // namespace
}  // namespace orv
