// The tools-menu editor (tools.dat) and the repository's add dialog (objrep.dat).
#include "platform/user_settings.h"
#include "orv/sys.h"
#include "platform/files.h"
#include "sys/dialog_test_support.h"

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
