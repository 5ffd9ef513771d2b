// The editor driven as a user drives it, through the real dialog libraries:
// menus and shortcuts by object name, dialogs by their forms' component
// names, and the files on disk checked afterwards.
#include <Qsci/qscilexer.h>

#include <QAbstractButton>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>

#include "components/net/real_servers.h"
#include "edit/document.h"
#include "edit/document_tabs.h"
#include "edit/edit_test_support.h"
#include "edit/project.h"
#include "edit/project_commands.h"
#include "edit/warnings_panel.h"
#include "orv/host.h"
#include "orvsys/model/preferences.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv::edit::test {
namespace {

std::string Text(Document* document) { return document ? document->Utf8() : std::string("<no document>"); }

// Waits (running the event loop, without a fixed sleep) for the build to end.
int WaitForBuild(MainWindow& window) {
  QSignalSpy finished(&window.Projects(), &ProjectCommands::BuildFinished);
  EXPECT_TRUE(finished.wait(120000)) << "the build did not end";
  return finished.isEmpty() ? -2 : finished.first().first().toInt();
}

TEST_F(EditorTest, OpensTheExampleProjectEditsSavesAndBuildsWithF9) {
  const std::string project = CopyExampleSite();
  const std::string page = ExtractFilePath(project) + "src/about.hts";
  const std::string before = ReadFileBytes(page);
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(project)));
  EXPECT_NE(Main().windowTitle().indexOf(QLatin1String("site")), -1);
  auto* tree = Main().findChild<QTreeView*>(QStringLiteral("ProjectTree"));
  ASSERT_NE(tree, nullptr);
  EXPECT_NE(tree->model(), nullptr);

  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(page)));
  TypeText(QStringLiteral("<%TypedInTheEditor%>"));
  EXPECT_TRUE(Current()->isModified());
  EXPECT_NE(Main().Tabs().tabText(Main().Tabs().currentIndex()).indexOf(QLatin1Char('*')), -1);
  Press(QKeySequence::Save);
  EXPECT_FALSE(Current()->isModified());
  // Only the typed text was added: line ends and encoding stay as found.
  EXPECT_EQ(ReadFileBytes(page), "<%TypedInTheEditor%>" + before);

  Press(QKeySequence(Qt::Key_F9));
  EXPECT_EQ(WaitForBuild(Main()), 0);
  EXPECT_TRUE(FileExists(ExtractFilePath(project) + "out/about.html"));
  auto* list = Main().findChild<QListWidget*>(QStringLiteral("WarningList"));
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(Main().Warnings().isVisible());
  QListWidgetItem* warning = nullptr;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->text().contains(QLatin1String("TypedInTheEditor"))) warning = list->item(i);
  ASSERT_NE(warning, nullptr) << "no warning about the unknown variable";
  EXPECT_TRUE(warning->text().startsWith(QLatin1String("src/about.hts:1: warning: unknown variable")))
      << warning->text().toStdString();
  EXPECT_EQ(warning->toolTip().toStdString(), page);
  EXPECT_NE(Main().statusBar()->currentMessage().indexOf(QLatin1String("Build finished")), -1);

  // A double-click on the warning opens its file at its line.
  Main().OpenPath(QString::fromStdString(ExtractFilePath(project) + "src/index.hts"));
  emit list->itemDoubleClicked(warning);
  EXPECT_EQ(Current()->Path().toStdString(), page);
  int line = -1, index = -1;
  Current()->getCursorPosition(&line, &index);
  EXPECT_EQ(line, 0);

  // Build All builds every page again; Information shows the build's seconds.
  Press(QKeySequence(Qt::SHIFT | Qt::Key_F9));
  EXPECT_EQ(WaitForBuild(Main()), 0);
  ASSERT_GE(Main().Projects().LastBuildSeconds(), 0);
  WhenUp(QStringLiteral("FrmInfo"), [this] {
    const QString seconds = ControlOf<QLabel>(QStringLiteral("FrmInfo"), QStringLiteral("Label3"))->text();
    EXPECT_EQ(seconds, QString::number(Main().Projects().LastBuildSeconds(), 'f', 2));
    Click(QStringLiteral("FrmInfo"), QStringLiteral("Button1"));
  });
  Action("ProjectInformationAction")->trigger();
}

// Publishing sends the built site through the library's dialog, here to a
// folder (a file:// site), so no server is needed.
TEST_F(EditorTest, PublishSendsTheOutputFolder) {
  const std::string project = CopyExampleSite();
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(project)));
  Press(QKeySequence(Qt::Key_F9));
  ASSERT_EQ(WaitForBuild(Main()), 0);
  const QString site = QString::fromStdString(Root() + "www");
  std::string status;
  WhenUp(QStringLiteral("FrmPublish"), [&] {
    Type(QStringLiteral("FrmPublish"), QStringLiteral("Edit1"), QStringLiteral("Local copy"));
    Type(QStringLiteral("FrmPublish"), QStringLiteral("Edit2"), QStringLiteral("file://") + site);
    Click(QStringLiteral("FrmPublish"), QStringLiteral("Button1"));
    Click(QStringLiteral("FrmPublish"), QStringLiteral("Button3"));
    const auto label = [] { return ControlOf<QLabel>(QStringLiteral("FrmPublish"), QStringLiteral("Label5"))->text(); };
    WhenTrue([label] { return label().startsWith(QLatin1String("Published")); }, [&, label] {
      status = label().toStdString();
      Click(QStringLiteral("FrmPublish"), QStringLiteral("Button4"));
    });
  });
  Action("PublishAction")->trigger();
  EXPECT_TRUE(status.starts_with("Published to Local copy: ")) << status;
  EXPECT_EQ(ReadFileBytes(site.toStdString() + "/index.html"),
            ReadFileBytes(ExtractFilePath(project) + "out/index.html"));
}

// Open From the Web downloads from a real server on 127.0.0.1 and the page
// opens through message 3037.
TEST_F(EditorTest, OpenFromTheWebOpensTheDownloadedPage) {
  net::testing::Nginx nginx("server { listen 127.0.0.1:{port0}; root {folder}www; }");
  if (!nginx.Started()) GTEST_SKIP() << "nginx is not installed (scripts/setup.sh installs it)";
  WriteFileBytes(nginx.Folder() + "www/news.html", "<h1>News</h1>\n");
  const QString saved = QString::fromStdString(Root() + "news.htm");
  auto* busy = Main().findChild<QLabel*>(QStringLiteral("BusyLabel"));
  WhenUp(QStringLiteral("FrmDlWeb"), [&] {
    Type(QStringLiteral("FrmDlWeb"), QStringLiteral("Edit1"), QString::fromStdString(nginx.Url("/news.html")));
    Type(QStringLiteral("FrmDlWeb"), QStringLiteral("Edit2"), saved);
    Click(QStringLiteral("FrmDlWeb"), QStringLiteral("Button1"));
  });
  Action("OpenFromWebAction")->trigger();
  ASSERT_NE(Current(), nullptr);
  EXPECT_EQ(Current()->Path(), saved);
  EXPECT_EQ(Text(Current()), "<h1>News</h1>\n");
  EXPECT_FALSE(busy->isVisible()) << "the busy state ends with the download";
}

// Help | About shows the versions and home pages of the libraries.
TEST_F(EditorTest, AboutShowsTheVersionsAndHomePages) {
  QString text;
  WhenUp(QStringLiteral("AboutDialog"), [&text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    text = box->text();
    box->accept();
  });
  Action("AboutAction")->trigger();
  for (const char* part : {"<h3>ORV Editor ", "ORV v1.0, build 1.0.0.61", "https://orv.example.org/",
                           "https://morvale.example.org/"})
    EXPECT_TRUE(text.contains(QLatin1String(part))) << part << " in " << text.toStdString();
}

TEST_F(EditorTest, HyperlinkAndTableFromTheLibrariesAreOneUndoStepEach) {
  Main().NewDocument();
  TypeText(QStringLiteral("Go Home now"));
  Current()->setSelection(0, 3, 0, 7);  // "Home"
  WhenUp(QStringLiteral("FrmHyperLink"), [] {
    Type(QStringLiteral("FrmHyperLink"), QStringLiteral("Edit1"), QStringLiteral("index.html"));
    Click(QStringLiteral("FrmHyperLink"), QStringLiteral("Button1"));
  });
  Press(QKeySequence(Qt::CTRL | Qt::Key_K));
  EXPECT_EQ(Text(Current()), "Go <a href=\"index.html\">Home</a> now");
  int line, index;
  Current()->getCursorPosition(&line, &index);
  EXPECT_EQ(index, 32);  // after the link

  WhenUp(QStringLiteral("FrmTable"), [] { Click(QStringLiteral("FrmTable"), QStringLiteral("Button1")); });
  Press(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T));
  const std::string with_table = Text(Current());
  EXPECT_NE(with_table.find("<table border=0 cellpadding=0 cellspacing=0>\r\n<tr>"), std::string::npos) << with_table;

  Press(QKeySequence::Undo);
  EXPECT_EQ(Text(Current()), "Go <a href=\"index.html\">Home</a> now");
  Press(QKeySequence::Undo);
  EXPECT_EQ(Text(Current()), "Go Home now");
}

TEST_F(EditorTest, UpperCaseTagsAndUnixLineEndsFollowThePreferences) {
  WriteFileBytes(PreferencesFile(), "[Environment]\nLowerTags=0\n[EdEnv]\nUNIX=1\n");
  orv_send_message(Main().Host(), ORV_MSG_PREFS_CHANGED, 0, 0);
  Main().NewDocument();
  WhenUp(QStringLiteral("FrmTable"), [] { Click(QStringLiteral("FrmTable"), QStringLiteral("Button1")); });
  Action("InsertTableAction")->trigger();
  EXPECT_TRUE(Text(Current()).starts_with("<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>\n<TR>\n")) << Text(Current());
}

TEST_F(EditorTest, ColourPickerInsertsTheHtmlColour) {
  Main().NewDocument();
  TypeText(QStringLiteral("color: "));
  WhenUp(QStringLiteral("FrmColor"), [] {
    Type(QStringLiteral("FrmColor"), QStringLiteral("Edit1"), QStringLiteral("255"));
    Type(QStringLiteral("FrmColor"), QStringLiteral("Edit2"), QStringLiteral("128"));
    Click(QStringLiteral("FrmColor"), QStringLiteral("Button1"));
  });
  Press(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
  EXPECT_EQ(Text(Current()), "color: #FF8000");
}

TEST_F(EditorTest, StyleSheetDialogStylesGoIntoThePageAndThePreferences) {
  Main().NewDocument();
  WhenUp(QStringLiteral("FrmCSS"), [] {
    WhenUp(QStringLiteral("InputQuery"), [] {
      Type(QStringLiteral("InputQuery"), QStringLiteral("Edit"), QStringLiteral("h1"));
      Click(QStringLiteral("InputQuery"), QStringLiteral("OK"));
    });
    Click(QStringLiteral("FrmCSS"), QStringLiteral("Button3"));
    Click(QStringLiteral("FrmCSS"), QStringLiteral("Button1"));
  });
  Action("InsertStyleAction")->trigger();
  EXPECT_TRUE(Text(Current()).starts_with("<style type=\"text/css\">\r\nh1 {\r\n  font-family: Arial;")) << Text(Current());
  const TIniFile preferences(PreferencesFile());
  EXPECT_EQ(preferences.ReadInteger("Styles", "StyleCount", 0), 1);
  EXPECT_EQ(preferences.ReadString("Styles", "0", ""), "h1");
}

TEST_F(EditorTest, ConfiguredToolRunsWithTheCurrentFile) {
  const std::string script = Root() + "tool.sh";
  const std::string record = Root() + "ran.txt";
  WriteFileBytes(script, "#!/bin/sh\nprintf '%s|' \"$@\" > \"$0.part\" && mv \"$0.part\" " + record + "\n");
  ::chmod(script.c_str(), 0755);
  const std::string page = Root() + "page.hts";
  WriteFileBytes(page, "<p>x</p>\n");
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(page)));

  WhenUp(QStringLiteral("FrmAddTool"), [script] {
    Type(QStringLiteral("FrmAddTool"), QStringLiteral("Edit1"), QStringLiteral("Record"));
    Type(QStringLiteral("FrmAddTool"), QStringLiteral("Edit2"), QString::fromStdString(script + " --first"));
    Click(QStringLiteral("FrmAddTool"), QStringLiteral("Button5"));
    Click(QStringLiteral("FrmAddTool"), QStringLiteral("Button1"));
  });
  Action("ConfigureToolsAction")->trigger();
  QAction* tool = Action("Tool1");
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(tool->text(), QStringLiteral("Record"));
  tool->trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return FileExists(record); }, 20000)) << "the tool did not run";
  EXPECT_EQ(ReadFileBytes(record), "--first|" + page + "|");
}

TEST_F(EditorTest, EditorFontFromThePreferencesAppliesAfterMessage3038) {
  Main().NewDocument();
  WhenUp(QStringLiteral("FrmPref"), [] {
    ControlOf<QTabWidget>(QStringLiteral("FrmPref"), QStringLiteral("PageControl1"))->setCurrentIndex(2);
    WhenUp(QStringLiteral("FontDialog1"), [] {
      auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      QFont font = dialog->currentFont();
      font.setPointSize(17);
      dialog->setCurrentFont(font);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    Click(QStringLiteral("FrmPref"), QStringLiteral("Button4"));
    Click(QStringLiteral("FrmPref"), QStringLiteral("Button1"));
  });
  Action("PreferencesAction")->trigger();
  EXPECT_EQ(TIniFile(PreferencesFile()).ReadInteger("EdEnv", "FontSz", 0), 17);
  ASSERT_NE(Current()->lexer(), nullptr);
  EXPECT_EQ(Current()->lexer()->font(0).pointSize(), 17);
}

// "Reset Associations" registers the editor that runs it as the program
// that opens ORV's files.
TEST_F(EditorTest, ResetAssociationsRegistersThisEditor) {
  WhenUp(QStringLiteral("FrmPref"), [] {
    ControlOf<QTabWidget>(QStringLiteral("FrmPref"), QStringLiteral("PageControl1"))->setCurrentIndex(3);
    Click(QStringLiteral("FrmPref"), QStringLiteral("Button5"));
    Click(QStringLiteral("FrmPref"), QStringLiteral("Button2"));
  });
  Action("PreferencesAction")->trigger();
  const std::string entry = ReadFileBytes(std::string(std::getenv("XDG_DATA_HOME")) + "/applications/orv-editor.desktop");
  EXPECT_NE(entry.find("\nExec=" + ProgramPath() + " %f\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("application/x-orv-project;"), std::string::npos);
}

TEST_F(EditorTest, NewProjectWizardOpensItsProjectThroughMessage3037) {
  const QString folder = QString::fromStdString(Root() + "wizard");
  WhenUp(QStringLiteral("FrmNewProj"), [folder] {
    Click(QStringLiteral("FrmNewProj"), QStringLiteral("Button2"));
    Type(QStringLiteral("FrmNewProj"), QStringLiteral("Edit1"), QStringLiteral("Wiz"));
    Click(QStringLiteral("FrmNewProj"), QStringLiteral("Button2"));
    Type(QStringLiteral("FrmNewProj"), QStringLiteral("Edit3"), folder + QStringLiteral("/src"));
    Type(QStringLiteral("FrmNewProj"), QStringLiteral("Edit4"), folder + QStringLiteral("/out"));
    Type(QStringLiteral("FrmNewProj"), QStringLiteral("Edit5"), folder + QStringLiteral("/img"));
    WhenUp(QStringLiteral("MessageDlg"), [] { Click(QStringLiteral("MessageDlg"), QStringLiteral("Yes")); });
    Click(QStringLiteral("FrmNewProj"), QStringLiteral("Button3"));
  });
  Action("NewProjectAction")->trigger();
  ASSERT_NE(Main().Projects().Current(), nullptr);
  EXPECT_EQ(Main().Projects().Current()->Path(), folder.toStdString() + "/src/Wiz.orv");
  EXPECT_NE(Main().windowTitle().indexOf(QLatin1String("Wiz")), -1);
  EXPECT_TRUE(Action("BuildAction")->isEnabled());
}

TEST_F(EditorTest, RepositoryDocumentOpensAsANewUntitledDocument) {
  WhenUp(QStringLiteral("FrmObjRep"), [] {
    auto* list = ControlOf<QAbstractItemView>(QStringLiteral("FrmObjRep"), QStringLiteral("ListView1"));
    list->setCurrentIndex(list->model()->index(1, 0));  // "Default Web Page"
    Click(QStringLiteral("FrmObjRep"), QStringLiteral("Button1"));
  });
  Press(QKeySequence::New);
  ASSERT_NE(Current(), nullptr);
  EXPECT_TRUE(Current()->IsUntitled());
  EXPECT_EQ(Text(Current()), ReadFileBytes(std::string(std::getenv("ORV_SOURCE_DIR")) + "/data/templates/normal.htf"));
  EXPECT_FALSE(Current()->isModified());
}

TEST_F(EditorTest, ProjectOptionsAndVariablesGoIntoTheProjectFile) {
  const std::string project = CopyExampleSite();
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(project)));
  WhenUp(QStringLiteral("FrmProjPref"), [] {
    EXPECT_EQ(ControlOf<QLineEdit>(QStringLiteral("FrmProjPref"), QStringLiteral("Edit2"))->text(), "out");
    Type(QStringLiteral("FrmProjPref"), QStringLiteral("Edit2"), QStringLiteral("public"));
    Click(QStringLiteral("FrmProjPref"), QStringLiteral("Button1"));
  });
  Action("ProjectOptionsAction")->trigger();
  EXPECT_EQ(TIniFile(project).ReadString("directories", "out", ""), "public");
  EXPECT_EQ(TIniFile(project).ReadString("directories", "src", ""), "src");
  EXPECT_FALSE(FileExists(DataDir() + "~tmppref.ini"));

  WhenUp(QStringLiteral("FrmVar"), [] {
    Type(QStringLiteral("FrmVar"), QStringLiteral("Edit1"), QStringLiteral("Author"));
    Type(QStringLiteral("FrmVar"), QStringLiteral("Edit2"), QStringLiteral("Me"));
    Click(QStringLiteral("FrmVar"), QStringLiteral("Button5"));
    Click(QStringLiteral("FrmVar"), QStringLiteral("Button1"));
  });
  Action("ProjectVariablesAction")->trigger();
  const auto variables = TIniFile(project).ReadSectionValues("variables");
  ASSERT_EQ(variables.size(), 4u);
  EXPECT_EQ(variables.front().first, "SiteName");
  EXPECT_EQ(variables.back(), (std::pair<std::string, std::string>{"Author", "Me"}));
}

TEST_F(EditorTest, ErrorReachingTheEventLoopOpensTheErrorCentre) {
  // An object whose event handler fails as a command might.
  class Failing : public QObject {
   public:
    bool event(QEvent* event) override {
      if (event->type() == QEvent::User) throw EInOutError("Cannot write file \"x\". Disk full");
      return QObject::event(event);
    }
  } failing;
  bool shown = false;
  WhenUp(QStringLiteral("FrmExcept"), [&shown] {
    shown = true;
    EXPECT_EQ(ControlOf<QLineEdit>(QStringLiteral("FrmExcept"), QStringLiteral("Edit1"))->text(),
              QStringLiteral("Cannot write file \"x\". Disk full"));
    Click(QStringLiteral("FrmExcept"), QStringLiteral("Button2"));
  });
  QEvent event(QEvent::User);
  QCoreApplication::sendEvent(&failing, &event);
  EXPECT_TRUE(QTest::qWaitFor([&shown] { return shown; }, 20000));
}

TEST_F(EditorTest, BusyStateFollowsMessages3033And3034) {
  QWidget* busy = Main().findChild<QLabel*>(QStringLiteral("BusyLabel"));
  ASSERT_NE(busy, nullptr);
  EXPECT_FALSE(busy->isVisible());
  orv_send_message(Main().Host(), ORV_MSG_NET_BEGIN, 0, 0);
  EXPECT_TRUE(busy->isVisible());
  orv_send_message(Main().Host(), ORV_MSG_NET_END, 0, 0);
  EXPECT_FALSE(busy->isVisible());
}

TEST_F(EditorTest, PostedRecordsOpenFilesAndAreFreed) {
  const std::string page = Root() + "posted.hts";
  WriteFileBytes(page, "posted\r\n");
  orv_post_message(Main().Host(), ORV_MSG_OPEN_FILE, 0,
                   reinterpret_cast<LPARAM>(orv_myrecord_new(page.c_str(), "", "")));
  orv_post_message(Main().Host(), ORV_MSG_OPEN_NEW, 0,
                   reinterpret_cast<LPARAM>(orv_myrecord_new(Root().c_str(), "posted.hts", "")));
  orv_process_messages();
  ASSERT_EQ(Main().Tabs().count(), 2);
  EXPECT_EQ(Main().Tabs().Documents()[0]->Path().toStdString(), page);
  EXPECT_TRUE(Main().Tabs().Documents()[1]->IsUntitled());
  EXPECT_EQ(Text(Main().Tabs().Documents()[1]), "posted\r\n");
  // A file that cannot be opened is said so; the record is freed all the same.
  WhenUp(QStringLiteral("ErrorMessage"), [] {
    QApplication::activeModalWidget()->close();
  });
  orv_post_message(Main().Host(), ORV_MSG_OPEN_FILE, 0,
                   reinterpret_cast<LPARAM>(orv_myrecord_new((Root() + "missing.hts").c_str(), "", "")));
  orv_process_messages();
  EXPECT_EQ(Main().Tabs().count(), 2);
}

TEST_F(EditorTest, AMissingLibraryDisablesOnlyItsCommands) {
  DialogLibraries partial;
  partial.Tagwiz.Name = "libtagwiz-missing.so";
  partial.Load();
  MakeWindow(partial);
  Main().NewDocument();
  Main().UpdateActions();
  for (const char* name : {"InsertHyperlinkAction", "InsertTableAction", "InsertStyleAction", "InsertActiveXAction",
                           "InsertJavaAppletAction"})
    EXPECT_FALSE(Action(name)->isEnabled()) << name;
  for (const char* name : {"InsertColourAction", "PreferencesAction", "NewAction", "SaveAction"})
    EXPECT_TRUE(Action(name)->isEnabled()) << name;
  EXPECT_NE(Main().statusBar()->currentMessage().indexOf(QLatin1String("libtagwiz-missing.so")), -1)
      << Main().statusBar()->currentMessage().toStdString();
}

TEST_F(EditorTest, AskBeforeLosingChanges) {
  Main().NewDocument();
  TypeText(QStringLiteral("keep me"));
  WhenUp(QStringLiteral("SavePrompt"), [] { Click(QStringLiteral("SavePrompt"), QStringLiteral("CancelButton")); });
  Press(QKeySequence::Close);
  ASSERT_EQ(Main().Tabs().count(), 1);
  EXPECT_EQ(Text(Current()), "keep me");
  WhenUp(QStringLiteral("SavePrompt"), [] { Click(QStringLiteral("SavePrompt"), QStringLiteral("DiscardButton")); });
  Press(QKeySequence::Close);
  EXPECT_EQ(Main().Tabs().count(), 0);
}

TEST_F(EditorTest, ReplaceAllIsOneUndoStep) {
  Main().NewDocument();
  TypeText(QStringLiteral("a cat, a Cat, a dog"));
  WhenUp(QStringLiteral("FindDialog"), [] {});
  Press(QKeySequence(Qt::CTRL | Qt::Key_H));
  Type(QStringLiteral("FindDialog"), QStringLiteral("FindText"), QStringLiteral("cat"));
  Type(QStringLiteral("FindDialog"), QStringLiteral("ReplaceText"), QStringLiteral("bird"));
  Click(QStringLiteral("FindDialog"), QStringLiteral("ReplaceAllButton"));
  EXPECT_EQ(Text(Current()), "a bird, a bird, a dog");
  Click(QStringLiteral("FindDialog"), QStringLiteral("MatchCase"));
  Current()->undo();
  EXPECT_EQ(Text(Current()), "a cat, a Cat, a dog");
  Click(QStringLiteral("FindDialog"), QStringLiteral("ReplaceAllButton"));
  EXPECT_EQ(Text(Current()), "a bird, a Cat, a dog");
  EXPECT_EQ(ControlOf<QLabel>(QStringLiteral("FindDialog"), QStringLiteral("FindResult"))->text(),
            QStringLiteral("1 replacement(s) made."));
}

TEST_F(EditorTest, EncodingAndLineEndsAreKeptAsFound) {
  const std::string page = Root() + "old.hts";
  const std::string bytes = "<p>caf\xE9\r\n\x93quoted\x94</p>\r\n";
  WriteFileBytes(page, bytes);
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(page)));
  EXPECT_EQ(Current()->Format().Encoding, TextEncoding::Windows1252);
  EXPECT_EQ(Main().findChild<QLabel*>(QStringLiteral("FormatLabel"))->text(), QStringLiteral("Windows-1252  CRLF"));
  Current()->setCursorPosition(2, 0);
  Press(QKeySequence(Qt::Key_Return));
  TypeText(QString::fromUtf8("\xC3\xBC"));  // ü
  Press(QKeySequence::Save);
  EXPECT_EQ(ReadFileBytes(page), bytes + "\r\n\xFC");

  // A character the code page cannot hold: the user is asked before UTF-8.
  TypeText(QString::fromUtf8("\xE4\xB8\xAD"));
  WhenUp(QStringLiteral("EncodingPrompt"), [] {
    qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->button(QMessageBox::Yes)->click();
  });
  Press(QKeySequence::Save);
  EXPECT_EQ(ReadFileBytes(page), "<p>caf\xC3\xA9\r\n\xE2\x80\x9Cquoted\xE2\x80\x9D</p>\r\n\r\n\xC3\xBC\xE4\xB8\xAD");
}

// The pictures of the documentation: the window after a build with a
// warning, and the table dialog over it. Saved when $ORV_SCREENSHOT_DIR is set.
TEST_F(EditorTest, ScreenshotsOfTheWindowAndADialogOverIt) {
  Main().resize(1000, 640);
  const std::string project = CopyExampleSite();
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(project)));
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(ExtractFilePath(project) + "src/about.hts")));
  Current()->setCursorPosition(4, 0);
  Press(QKeySequence(Qt::Key_F9));
  EXPECT_EQ(WaitForBuild(Main()), 0);
  QPixmap window = Main().grab();
  ASSERT_FALSE(window.isNull());
  const QString folder = qEnvironmentVariable("ORV_SCREENSHOT_DIR");
  if (!folder.isEmpty()) {
    EXPECT_TRUE(window.save(folder + QStringLiteral("/orvedit.png")));
  }

  WhenUp(QStringLiteral("FrmTable"), [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    const QPixmap picture = dialog->grab();
    QPainter painter(&window);
    const QPoint at((window.width() - picture.width()) / 2, (window.height() - picture.height()) / 2);
    painter.drawPixmap(at, picture);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawRect(QRect(at, picture.size()).adjusted(-1, -1, 0, 0));
    painter.end();
    Click(QStringLiteral("FrmTable"), QStringLiteral("Button2"));
  });
  Action("InsertTableAction")->trigger();
  if (!folder.isEmpty()) {
    EXPECT_TRUE(window.save(folder + QStringLiteral("/orvedit-dialog.png")));
  }
}

}  // namespace
}  // namespace orv::edit::test
