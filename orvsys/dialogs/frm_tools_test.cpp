// The tools-menu editor (tools.dat) and the repository's add dialog (objrep.dat).
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "orv/sys.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "platform/files.h"
#include "platform/user_settings.h"

namespace orv::test {
namespace {

using Items = std::vector<std::pair<std::string, std::string>>;

Items Stored(const std::string& path) {
  TUserSettingList list;
  list.LoadFromFile(path);
  Items items;
  for (int i = 0; i < list.Count(); ++i) items.emplace_back(list.Items(i).Name, list.Items(i).Value);
  return items;
}

void Store(const std::string& path, const Items& items) {
  TUserSettingList list;
  for (const auto& [name, value] : items) list.Add(name, value);
  list.SaveToFile(path);
}

// The names the visible file dialog `dialog` lists in its current folder.
QStringList ListedFiles(QFileDialog* dialog) {
  QStringList names;
  auto* view = dialog->findChild<QAbstractItemView*>("listView");
  if (!view || !view->model()) return names;
  for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
    names << view->model()->index(row, 0, view->rootIndex()).data().toString();
  return names;
}

class ToolsTest : public DialogTest {
 protected:
  std::string Tools() const { return Home() + "tools.dat"; }
  std::string ObjRep() const { return Home() + "objrep.dat"; }
};

TEST_F(ToolsTest, ButtonsStayDisabledUntilTheyCanActAndCommandsKeepTheirParameters) {
  WhenUp("FrmAddTool", [] {
    for (const char* button : {"Button3", "Button4", "Button5"}) EXPECT_FALSE(IsEnabled("FrmAddTool", button));
    Type("FrmAddTool", "Edit1", "Tidy");
    EXPECT_FALSE(IsEnabled("FrmAddTool", "Button5"));
    Type("FrmAddTool", "Edit2", "/usr/bin/tidy -m \"my page.html\"");
    EXPECT_TRUE(IsEnabled("FrmAddTool", "Button5"));
    Click("FrmAddTool", "Button5");
    EXPECT_EQ(TextOf("FrmAddTool", "Edit1"), "");
    EXPECT_FALSE(IsEnabled("FrmAddTool", "Button5"));
    EXPECT_FALSE(IsEnabled("FrmAddTool", "Button3"));
    ClickRow("FrmAddTool", "ListView1", 0);
    EXPECT_TRUE(IsEnabled("FrmAddTool", "Button3"));
    EXPECT_TRUE(IsEnabled("FrmAddTool", "Button4"));
    Click("FrmAddTool", "Button1");
  });
  EXPECT_EQ(AddTool(0, Host()), 1);
  EXPECT_EQ(Stored(Tools()), (Items{{"Tidy", "/usr/bin/tidy -m \"my page.html\""}}));
}

// Programs on Linux mostly have no dot in their names: "Select Application"
// lists them, and its one filter shows its pattern once.
TEST_F(ToolsTest, SelectApplicationListsProgramsWithoutADot) {
  const std::string folder = Temp() + "bin/";
  std::filesystem::create_directories(folder);
  WriteFileBytes(folder + "myprog", "#!/bin/sh\n");
  WriteFileBytes(folder + "notes.txt", "");
  QStringList filters, listed;
  QString title;
  WhenUp("FrmAddTool", [&] {
    auto dialog = [] { return qobject_cast<QFileDialog*>(FindWidget("OpenDialog1")); };
    WhenTrue([dialog] { return dialog() && dialog()->isVisible(); },
             [&, dialog] {
               QFileDialog* files = dialog();
               title = files->windowTitle();
               filters = files->nameFilters();
               // The folder is read in the background: look once it is in.
               auto* model = files->findChild<QFileSystemModel*>();
               ASSERT_NE(model, nullptr);
               QObject::connect(model, &QFileSystemModel::directoryLoaded, files, [&, files](const QString& loaded) {
                 if (loaded != QString::fromStdString(folder).chopped(1)) return;
                 QTimer::singleShot(0, files, [&, files] {
                   listed = ListedFiles(files);
                   auto* name = files->findChild<QLineEdit*>("fileNameEdit");
                   ASSERT_NE(name, nullptr);
                   QTest::keyClicks(name, "myprog");
                   QTest::keyClick(name, Qt::Key_Return);
                 });
               });
               files->setDirectory(QString::fromStdString(folder));
             });
    Click("FrmAddTool", "SpeedButton1");
    EXPECT_EQ(TextOf("FrmAddTool", "Edit2"), folder + "myprog");
    Click("FrmAddTool", "Button2");
  });
  EXPECT_EQ(AddTool(0, Host()), 0);
  EXPECT_EQ(title, "Select Application");
  EXPECT_EQ(filters, QStringList{"All Files (*)"});
  EXPECT_TRUE(listed.contains("myprog")) << listed.join(", ").toStdString();
}

TEST_F(ToolsTest, ModifyRemoveAndAnEmptyListSavesCountZero) {
  Store(Tools(), {{"Home", "https://example.org/"}, {"Shell", "/bin/sh"}});
  WhenUp("FrmAddTool", [] {
    ClickRow("FrmAddTool", "ListView1", 1);
    WhenUp("FrmModValue", [] {
      EXPECT_EQ(TextOf("FrmModValue", "Label1"), "Menu Name:");
      EXPECT_EQ(TextOf("FrmModValue", "Label2"), "Program to Run (include parameters):");
      EXPECT_EQ(TextOf("FrmModValue", "Edit1"), "Shell");
      Type("FrmModValue", "Edit2", "/bin/bash -l");
      Click("FrmModValue", "Button1");
    });
    DoubleClickRow("FrmAddTool", "ListView1", 1);
    Click("FrmAddTool", "Button1");
  });
  EXPECT_EQ(AddTool(0, Host()), 1);
  EXPECT_EQ(Stored(Tools()), (Items{{"Home", "https://example.org/"}, {"Shell", "/bin/bash -l"}}));

  WhenUp("FrmAddTool", [] {
    for (int row = 0; row < 2; ++row) {
      ClickRow("FrmAddTool", "ListView1", 0);
      Click("FrmAddTool", "Button3");
    }
    Click("FrmAddTool", "Button1");
  });
  EXPECT_EQ(AddTool(0, Host()), 1);
  EXPECT_EQ(ReadFileBytes(Tools()), std::string(4, '\0'));
}

TEST_F(ToolsTest, CancelWritesNothingAndAFirstRunShowsNoError) {
  WhenUp("FrmAddTool", [] {
    Type("FrmAddTool", "Edit1", "x");
    Type("FrmAddTool", "Edit2", "y");
    Click("FrmAddTool", "Button5");
    Click("FrmAddTool", "Button2");
  });
  EXPECT_EQ(AddTool(0, Host()), 0);
  EXPECT_FALSE(FileExists(Tools()));
}

TEST_F(ToolsTest, AFailedSaveKeepsTheOldFileWholeAndNamesIt) {
  Store(Tools(), {{"Keep", "me"}});
  ForceDirectories(Tools() + ".d");
  setenv("ORV_HOME", (Home() + "tools.dat.d/missing").c_str(), 1);
  std::string error;
  WhenUp("FrmAddTool", [&error] {
    AnswerMessage("OK", &error);
    Click("FrmAddTool", "Button1");
    Click("FrmAddTool", "Button2");
  });
  EXPECT_EQ(AddTool(0, Host()), 0);
  EXPECT_NE(error.find("tools.dat.d/missing/tools.dat"), std::string::npos) << error;
  EXPECT_EQ(Stored(Tools()), (Items{{"Keep", "me"}}));
}

TEST_F(ToolsTest, AddObjRepReplacesAnExistingDescriptionInPlace) {
  Store(ObjRep(), {{"Page", "/old/page.hts"}, {"Other", "/x.css"}});
  WhenUp("FrmAddObj", [] {
    EXPECT_TRUE(HasFocus("FrmAddObj", "Edit1"));
    EXPECT_EQ(TextOf("FrmAddObj", "Edit2"), "/new/page.hts");
    Type("FrmAddObj", "Edit1", "Page");
    Click("FrmAddObj", "Button1");
  });
  AddObjRep(0, Host(), "/new/page.hts");
  EXPECT_EQ(Stored(ObjRep()), (Items{{"Page", "/new/page.hts"}, {"Other", "/x.css"}}));

  WhenUp("FrmAddObj", [] { Click("FrmAddObj", "Button1"); });
  AddObjRep(0, Host(), "/blank.htf");
  EXPECT_EQ(Stored(ObjRep()).back(), (std::pair<std::string, std::string>{"", "/blank.htf"}));
}

}  // namespace
}  // namespace orv::test
