// Every dialog of liborvsys.so as a user with another font or another
// window size sees it: laid out for the usual font, for a 1.5 times larger
// one and enlarged, no control overlaps another, none sticks out of its
// parent and no text is cut.
#include <gmock/gmock.h>

#include <functional>
#include <memory>

#include "controls/controls_test_support.h"
#include "controls/layout_test_support.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "orvsys/dialogs/frm_add_obj.h"
#include "orvsys/dialogs/frm_add_tool.h"
#include "orvsys/dialogs/frm_dl_web.h"
#include "orvsys/dialogs/frm_except.h"
#include "orvsys/dialogs/frm_info.h"
#include "orvsys/dialogs/frm_mod_value.h"
#include "orvsys/dialogs/frm_new_proj.h"
#include "orvsys/dialogs/frm_obj_rep.h"
#include "orvsys/dialogs/frm_pref.h"
#include "orvsys/dialogs/frm_proj_pref.h"
#include "orvsys/dialogs/frm_setup.h"
#include "orvsys/dialogs/frm_var.h"
#include "platform/user_settings.h"

namespace orv::test {
namespace {

class DialogLayoutTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // The lists the dialogs read, so that none of them reports a missing file.
    const TUserSettingList empty;
    for (const std::string& file : {Temp() + "~fsetting.tmp", Home() + "tools.dat", Home() + "objrep.dat"})
      empty.SaveToFile(file);
  }
};

TEST_F(DialogLayoutTest, EveryDialogAdaptsToItsFontAndSize) {
  const std::function<std::unique_ptr<TForm>()> dialogs[] = {
      [this] { return std::make_unique<TFrmPref>(Host()); },
      [] { return std::make_unique<TFrmVar>(); },
      [this] { return std::make_unique<TFrmAddTool>(Host()); },
      [] { return std::make_unique<TFrmModValue>(); },
      [this] { return std::make_unique<TFrmNewProj>(Host()); },
      [] { return std::make_unique<TFrmProjPref>(); },
      [this] { return std::make_unique<TFrmObjRep>(Host()); },
      [this] { return std::make_unique<TFrmAddObj>(Host(), "/home/user/pages/index.hts"); },
      [this] {
        TErrorRecord error;
        error.Host = Host();
        error.ExceptionClass = "EInOutError";
        error.Message = "Cannot open file";
        return std::make_unique<TFrmExcept>(error);
      },
      [] { return std::make_unique<TFrmSetup>(TMailSettings{}); },
      [this] { return std::make_unique<TFrmDlWeb>(Host()); },
      [] { return std::make_unique<TFrmInfo>("Example", "1.25"); },
  };
  for (const auto& make : dialogs) {
    std::unique_ptr<TForm> form = make();
    EXPECT_EQ(FormFileRoundTripChange(*form), "") << form->Name();
    EXPECT_THAT(LayoutProblemsAtEverySize(*form), testing::IsEmpty()) << form->Name();
  }
  // The wizard's other pages, as Next shows them.
  TFrmNewProj wizard(Host());
  wizard.Font()->SetSize(12);
  wizard.Show();
  for (const char* page : {"Panel2", "Panel3"}) {
    for (const char* panel : {"Panel1", "Panel2", "Panel3"})
      dynamic_cast<TControl*>(wizard.FindComponent(panel))->SetVisible(std::string(panel) == page);
    EXPECT_THAT(LayoutProblems(wizard), testing::IsEmpty()) << page;
  }
  wizard.Hide();
}

TEST_F(DialogLayoutTest, PicturesAtBothFontsForTheDocumentation) {
  TFrmPref pref(Host());
  SaveLayoutScreenshots(pref, "frm_pref");
}

}  // namespace
}  // namespace orv::test
