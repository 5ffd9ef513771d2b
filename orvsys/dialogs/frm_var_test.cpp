// The variables editor and its exchange file ~fsetting.tmp.
#include "orv/sys.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "platform/files.h"
#include "platform/user_settings.h"

namespace orv::test {
namespace {

class VarTest : public DialogTest {
 protected:
  std::string Exchange() const { return Temp() + "~fsetting.tmp"; }
  void Supply(const std::vector<std::pair<std::string, std::string>>& items) {
    TUserSettingList list;
    for (const auto& [name, value] : items) list.Add(name, value);
    list.SaveToFile(Exchange());
  }
  std::vector<std::pair<std::string, std::string>> Stored() {
    TUserSettingList list;
    list.LoadFromFile(Exchange());
    std::vector<std::pair<std::string, std::string>> items;
    for (int i = 0; i < list.Count(); ++i) items.emplace_back(list.Items(i).Name, list.Items(i).Value);
    return items;
  }
};

TEST_F(VarTest, AddingTheSameNameTwiceSavesBothAndEmptyValuesAddNothing) {
  WhenUp("FrmVar", [] {
    EXPECT_TRUE(HasFocus("FrmVar", "Edit1"));
    Type("FrmVar", "Edit1", "Title");
    Click("FrmVar", "Button5");
    EXPECT_EQ(TextOf("FrmVar", "Edit1"), "Title");
    Type("FrmVar", "Edit2", "Home");
    Click("FrmVar", "Button5");
    EXPECT_EQ(TextOf("FrmVar", "Edit1"), "");
    EXPECT_TRUE(HasFocus("FrmVar", "Edit1"));
    Type("FrmVar", "Edit1", "Title");
    Type("FrmVar", "Edit2", "Again");
    Click("FrmVar", "Button5");
    Click("FrmVar", "Button1");
  });
  EXPECT_EQ(DoVars(0), 1);
  EXPECT_EQ(Stored(), (std::vector<std::pair<std::string, std::string>>{{"Title", "Home"}, {"Title", "Again"}}));
}

TEST_F(VarTest, TwoSelectedRowsDisableDeleteAndModifyEditsTheFirst) {
  Supply({{"A", "1"}, {"B", "2"}, {"C", "3"}});
  WhenUp("FrmVar", [this] {
    EXPECT_FALSE(FileExists(Exchange()));
    EXPECT_FALSE(IsEnabled("FrmVar", "Button3"));
    EXPECT_FALSE(IsEnabled("FrmVar", "Button4"));
    ClickRow("FrmVar", "ListView1", 1);
    EXPECT_TRUE(IsEnabled("FrmVar", "Button3"));
    EXPECT_TRUE(IsEnabled("FrmVar", "Button4"));
    EXPECT_EQ(Control("FrmVar", "ListView1")->toolTip().toStdString(), "B:\n\r2");
    ClickRow("FrmVar", "ListView1", 2, Qt::ControlModifier);
    EXPECT_TRUE(IsEnabled("FrmVar", "Button3"));
    EXPECT_FALSE(IsEnabled("FrmVar", "Button4"));
    WhenUp("FrmModValue", [] {
      EXPECT_EQ(TextOf("FrmModValue", "Label1"), "Variable:");
      EXPECT_EQ(TextOf("FrmModValue", "Edit1"), "B");
      EXPECT_EQ(TextOf("FrmModValue", "Edit2"), "2");
      Type("FrmModValue", "Edit2", "two");
      Click("FrmModValue", "Button1");
    });
    Click("FrmVar", "Button3");
    Click("FrmVar", "Button1");
  });
  EXPECT_EQ(DoVars(0), 1);
  EXPECT_EQ(Stored(), (std::vector<std::pair<std::string, std::string>>{{"A", "1"}, {"B", "two"}, {"C", "3"}}));
}

TEST_F(VarTest, DeleteRemovesTheSelectedRowAndAnEmptyListSavesCountZero) {
  Supply({{"A", "1"}});
  WhenUp("FrmVar", [] {
    ClickRow("FrmVar", "ListView1", 0);
    Click("FrmVar", "Button4");
    EXPECT_FALSE(IsEnabled("FrmVar", "Button4"));
    Click("FrmVar", "Button1");
  });
  EXPECT_EQ(DoVars(0), 1);
  EXPECT_EQ(ReadFileBytes(Exchange()), std::string(4, '\0'));
}

TEST_F(VarTest, CancelLeavesNoExchangeFileAndAMissingFileShowsNoError) {
  WhenUp("FrmVar", [] { Click("FrmVar", "Button2"); });
  EXPECT_EQ(DoVars(0), 0);
  EXPECT_FALSE(FileExists(Exchange()));
}

TEST_F(VarTest, ADamagedExchangeFileIsReportedAndTheListStartsEmpty) {
  WriteFileBytes(Exchange(), std::string("\x05\0\0\0\x01\0", 6));
  std::string error;
  AnswerMessage("OK", &error);
  WhenUp("FrmVar", [] { Click("FrmVar", "Button1"); });
  EXPECT_EQ(DoVars(0), 1);
  EXPECT_NE(error.find("~fsetting.tmp"), std::string::npos) << error;
  EXPECT_NE(error.find("corrupt"), std::string::npos) << error;
  EXPECT_TRUE(Stored().empty());
}

}  // namespace
}  // namespace orv::test
