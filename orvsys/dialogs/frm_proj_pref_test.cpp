// The project-options dialog and its exchange file ~tmppref.ini.
#include "orv/sys.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "platform/files.h"
#include "platform/ini_file.h"

namespace orv::test {
namespace {

class ProjPrefTest : public DialogTest {
 protected:
  std::string Exchange() const { return Home() + "~tmppref.ini"; }
};

TEST_F(ProjPrefTest, WithoutAnExchangeFileShowsEmptyBoxesAndCancelLeavesNoFile) {
  WhenUp("FrmProjPref", [] {
    for (const char* box : {"Edit1", "Edit2", "Edit3", "Edit4"}) EXPECT_EQ(TextOf("FrmProjPref", box), "") << box;
    for (const char* check : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"})
      EXPECT_TRUE(IsChecked("FrmProjPref", check)) << check;
    EXPECT_FALSE(IsShown("FrmProjPref", "CheckBox5"));
    Click("FrmProjPref", "Button2");
  });
  EXPECT_EQ(ShowProjPref(0, 0), 0);
  EXPECT_FALSE(FileExists(Exchange()));
}

TEST_F(ProjPrefTest, OkWritesTheFieldsBackAndKeepsAStoredDbOfZero) {
  WriteFileBytes(Exchange(),
                 "[dirs]\nimg=/site/img\nsrc=/site/src\nout=/site/out\nimg_prep=pics/\n"
                 "[compiler]\nvars=1\ndb=0\nscripts=0\next=1\ninc=1\n");
  WhenUp("FrmProjPref", [this] {
    EXPECT_FALSE(FileExists(Exchange()));
    EXPECT_EQ(TextOf("FrmProjPref", "Edit1"), "/site/src");
    EXPECT_EQ(TextOf("FrmProjPref", "Edit3"), "/site/img");
    EXPECT_FALSE(IsChecked("FrmProjPref", "CheckBox3"));
    Type("FrmProjPref", "Edit2", "/site/public");
    ShowTab("FrmProjPref", "PageControl1", 1);
    Click("FrmProjPref", "CheckBox1");
    Click("FrmProjPref", "Button1");
  });
  EXPECT_EQ(ShowProjPref(0, 0), 1);
  EXPECT_EQ(ReadFileBytes(Exchange()),
            "[dirs]\nimg=/site/img\nsrc=/site/src\nout=/site/public\nimg_prep=pics/\n"
            "\n[compiler]\nvars=0\ndb=0\nscripts=0\next=1\ninc=1\n");
}

TEST_F(ProjPrefTest, CancelAfterAFileWasSuppliedLeavesNoFile) {
  WriteFileBytes(Exchange(), "[dirs]\nsrc=/site/src\n");
  WhenUp("FrmProjPref", [] { Click("FrmProjPref", "Button2"); });
  EXPECT_EQ(ShowProjPref(0, 0), 0);
  EXPECT_FALSE(FileExists(Exchange()));
}

}  // namespace
}  // namespace orv::test
