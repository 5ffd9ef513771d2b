// The new-project wizard driven through NewProj, page by page.
#include <QFileDialog>
#include <QTest>

#include "cc/run_program_test_support.h"
#include "orv/sys.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"

namespace orv::test {
namespace {

class NewProjTest : public DialogTest {
 protected:
  // Runs the wizard: name and prefix, the three folders, then Finish with
  // `answer` to the closing question. Errors shown on the way are collected.
  void RunWizard(const std::string& name, const std::string& source, const std::string& output,
                 const std::string& images, const char* answer) {
    WhenUp("FrmNewProj", [=, this] {
      EXPECT_FALSE(IsEnabled("FrmNewProj", "Button1"));
      Click("FrmNewProj", "Button2");
      EXPECT_TRUE(HasFocus("FrmNewProj", "Edit1"));
      Type("FrmNewProj", "Edit1", name);
      Type("FrmNewProj", "Edit2", "images/");
      Click("FrmNewProj", "Button2");
      EXPECT_TRUE(IsShown("FrmNewProj", "Button3"));
      EXPECT_FALSE(IsShown("FrmNewProj", "Button2"));
      EXPECT_TRUE(HasFocus("FrmNewProj", "Edit3"));
      Type("FrmNewProj", "Edit3", source);
      Type("FrmNewProj", "Edit4", output);
      Type("FrmNewProj", "Edit5", images);
      AnswerMessage(answer, &last_message_);
      Click("FrmNewProj", "Button3");
    });
    NewProj(0, Host());
  }

  std::string last_message_;
};

TEST_F(NewProjTest, CreatesNestedFoldersAndAProjectThatOrvccBuilds) {
  const std::string root = Home() + "web/";
  RunWizard("Site", root + "a/b/src", root + "a/out/", root + "img/", "Yes");
  EXPECT_NE(last_message_.find("Your Project has been Created."), std::string::npos);
  const std::string project = root + "a/b/src/Site.orv";
  ASSERT_TRUE(FileExists(project));
  EXPECT_TRUE(DirectoryExists(root + "a/out"));
  EXPECT_TRUE(DirectoryExists(root + "img"));
  TIniFile ini(project);
  EXPECT_EQ(ini.ReadString("directories", "src", ""), root + "a/b/src");
  EXPECT_EQ(ini.ReadString("directories", "out", ""), root + "a/out");
  EXPECT_EQ(ini.ReadString("directories", "img", ""), root + "img");
  EXPECT_EQ(ini.ReadString("other", "imgprep", ""), "images/");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].Message, uint32_t{ORV_MSG_OPEN_FILE});
  EXPECT_EQ(Messages()[0].Fields, (std::vector<std::string>{project, "", ""}));

  WriteFileBytes(root + "a/b/src/index.hts", "<p><%Greeting%></p>\r\n");
  ini.WriteString("variables", "Greeting", "Hello");
  ini.WriteString("files", "0", root + "a/b/src/index.hts");
  Outcome built = RunProgram(ProgramDir() + "orvcc", "--quiet '" + project + "'", Temp());
  EXPECT_EQ(built.status, 0) << built.err;
  EXPECT_EQ(ReadFileBytes(root + "a/out/index.html"), "<p>Hello</p>\r\n");
}

TEST_F(NewProjTest, AnExistingProjectKeepsItsOtherKeysAndNoOpensNothing) {
  const std::string source = Home() + "src";
  ForceDirectories(source);
  WriteFileBytes(source + "/Site.orv", "[directories]\nsrc=old\n[files]\n0=/x/page.hts\n");
  RunWizard("Site", source + "/", Home() + "out", Home() + "img", "No");
  TIniFile ini(source + "/Site.orv");
  EXPECT_EQ(ini.ReadString("directories", "src", ""), source);
  EXPECT_EQ(ini.ReadString("files", "0", ""), "/x/page.hts");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(NewProjTest, EmptyNameAndEmptyFoldersAreRefused) {
  std::string name_error, folder_error;
  WhenUp("FrmNewProj", [&] {
    Click("FrmNewProj", "Button2");
    AnswerMessage("OK", &name_error);
    Click("FrmNewProj", "Button2");
    EXPECT_TRUE(IsShown("FrmNewProj", "Edit1"));
    Type("FrmNewProj", "Edit1", "Site");
    Click("FrmNewProj", "Button2");
    Type("FrmNewProj", "Edit3", Home() + "src");
    AnswerMessage("OK", &folder_error);
    Click("FrmNewProj", "Button3");
    EXPECT_TRUE(HasFocus("FrmNewProj", "Edit4"));
    Click("FrmNewProj", "Button4");
  });
  NewProj(0, Host());
  EXPECT_EQ(name_error, "Please enter a name for your project");
  EXPECT_EQ(folder_error, "You must have a folder listed for each option");
  EXPECT_FALSE(DirectoryExists(Home() + "src"));
}

TEST_F(NewProjTest, AFolderThatCannotBeMadeIsNamedAndNoProjectIsWritten) {
  WriteFileBytes(Home() + "blocker", "");
  std::string error;
  WhenUp("FrmNewProj", [&] {
    Click("FrmNewProj", "Button2");
    Type("FrmNewProj", "Edit1", "Site");
    Click("FrmNewProj", "Button2");
    Type("FrmNewProj", "Edit3", Home() + "src");
    Type("FrmNewProj", "Edit4", Home() + "blocker/out");
    Type("FrmNewProj", "Edit5", Home() + "img");
    AnswerMessage("OK", &error);
    Click("FrmNewProj", "Button3");
    Click("FrmNewProj", "Button4");
  });
  NewProj(0, Host());
  EXPECT_EQ(error, "Could not create directory: " + Home() + "blocker/out/");
  EXPECT_TRUE(DirectoryExists(Home() + "src"));
  EXPECT_FALSE(DirectoryExists(Home() + "img"));
  EXPECT_FALSE(FileExists(Home() + "src/Site.orv"));
}

TEST_F(NewProjTest, TheBrowseButtonPutsTheChosenFolderIntoTheBox) {
  ForceDirectories(Home() + "chosen");
  WhenUp("FrmNewProj", [&] {
    Click("FrmNewProj", "Button2");
    Type("FrmNewProj", "Edit1", "Site");
    Click("FrmNewProj", "Button2");
    WhenUp("BrowseFolder1", [&] {
      auto* dialog = qobject_cast<QFileDialog*>(FindWidget("BrowseFolder1"));
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Select Folder");
      dialog->setDirectory(QString::fromStdString(Home() + "chosen"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    Click("FrmNewProj", "SpeedButton1");
    EXPECT_EQ(TextOf("FrmNewProj", "Edit3"), Home() + "chosen");
    Click("FrmNewProj", "Button4");
  });
  NewProj(0, Host());
}

}  // namespace
}  // namespace orv::test
