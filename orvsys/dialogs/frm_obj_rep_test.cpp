// The repository gallery: built-in and user documents, icons, the open
// request it posts and deleting a user document.
#include "orvsys/dialogs/frm_obj_rep.h"

#include <QListWidget>
#include <QMenu>
#include <QTabWidget>

#include "controls/list_view.h"
#include "controls/lists.h"
#include "controls/menus.h"
#include "orv/sys.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "orvsys/model/data_files.h"
#include "platform/files.h"

namespace orv::test {
namespace {

class ObjRepTest : public DialogTest {
 protected:
  std::string ObjRep() const { return Home() + "objrep.dat"; }
  void Store(const std::vector<std::pair<std::string, std::string>>& items) {
    TUserSettingList list;
    for (const auto& [name, value] : items) list.Add(name, value);
    list.SaveToFile(ObjRep());
  }
};

TEST(RepositoryIcon, FollowsTheExtensionWithItsExactCase) {
  EXPECT_EQ(RepositoryIcon("/a/page.hts"), riSource);
  EXPECT_EQ(RepositoryIcon("/a/part.hsn"), riSnippet);
  EXPECT_EQ(RepositoryIcon("/a/base.htf"), riTemplate);
  EXPECT_EQ(RepositoryIcon("/a/run.ops"), riScript);
  EXPECT_EQ(RepositoryIcon("/a/PAGE.HTS"), riOther);
  EXPECT_EQ(RepositoryIcon("/a/style.css"), riOther);
  EXPECT_EQ(RepositoryIcon("/a.hts/noext"), riOther);
}

TEST(BuiltinDocuments, AreShippedAndFound) {
  for (const TBuiltinDocument& document : BuiltinDocuments())
    EXPECT_TRUE(FileExists(BuiltinDocumentsDir() + document.Path)) << document.Path;
}

TEST_F(ObjRepTest, TwoFramePagePostsTheDocumentsFolderAndItsPath) {
  WhenUp("FrmObjRep", [] {
    auto* view = qobject_cast<QListWidget*>(Control("FrmObjRep", "ListView1"));
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->count(), 8);
    EXPECT_EQ(view->item(7)->text(), "Two Frame Page");
    EXPECT_FALSE(view->item(7)->icon().pixmap(32, 32).isNull());
    ClickRow("FrmObjRep", "ListView1", 7);
    Click("FrmObjRep", "Button1");
  });
  ShowObjRep(0, Host());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].Message, uint32_t{ORV_MSG_OPEN_NEW});
  EXPECT_EQ(Messages()[0].Fields, (std::vector<std::string>{BuiltinDocumentsDir(), "templates/2frame.hts", ""}));
}

TEST_F(ObjRepTest, OkFollowsTheSelection) {
  WhenUp("FrmObjRep", [] {
    EXPECT_TRUE(IsEnabled("FrmObjRep", "Button1"));
    ClickRow("FrmObjRep", "ListView1", 0);
    EXPECT_TRUE(IsEnabled("FrmObjRep", "Button1"));
    ClickRow("FrmObjRep", "ListView1", 0, Qt::ControlModifier);
    EXPECT_FALSE(IsEnabled("FrmObjRep", "Button1"));
    Click("FrmObjRep", "Button2");
  });
  ShowObjRep(0, Host());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ObjRepTest, OkBeforeAnyChoicePostsEmptyFields) {
  WhenUp("FrmObjRep", [] { Click("FrmObjRep", "Button1"); });
  ShowObjRep(0, Host());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].Fields, (std::vector<std::string>{"", "", ""}));
}

TEST_F(ObjRepTest, UserDocumentsGetIconsByExtensionAndOpenByDoubleClick) {
  Store({{"Upper", "/docs/PAGE.HTS"}, {"Script", "/docs/run.ops"}});
  WhenUp("FrmObjRep", [] {
    auto* form = FormNamed("FrmObjRep");
    ASSERT_NE(form, nullptr);
    auto* user = dynamic_cast<TListView*>(form->FindComponent("ListView2"));
    EXPECT_EQ(user->Item(0).ImageIndex, riOther);
    EXPECT_EQ(user->Item(1).ImageIndex, riScript);
    ShowTab("FrmObjRep", "PageControl1", 1);
    DoubleClickRow("FrmObjRep", "ListView2", 1);
  });
  ShowObjRep(0, Host());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].Fields, (std::vector<std::string>{"", "/docs/run.ops", ""}));
}

TEST_F(ObjRepTest, DeleteRemovesTheUserDocumentAndSavesAtOnce) {
  Store({{"One", "/1.hts"}, {"Two", "/2.hsn"}});
  WhenUp("FrmObjRep", [] {
    ShowTab("FrmObjRep", "PageControl1", 1);
    ClickRow("FrmObjRep", "ListView2", 0);
    auto* form = FormNamed("FrmObjRep");
    ASSERT_NE(form, nullptr);
    dynamic_cast<TMenuItem*>(form->FindComponent("Delete1"))->Click();
    Click("FrmObjRep", "Button2");
  });
  ShowObjRep(0, Host());
  TUserSettingList list;
  list.LoadFromFile(ObjRep());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0).Name, "Two");
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace orv::test
