// The project-information dialog and the counts it reads from libengine.so.
#include "orvsys/dialogs/frm_info.h"

#include "orv/sys.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "platform/build_stats.h"

namespace orv::test {
namespace {

using InfoTest = DialogTest;

TEST_F(InfoTest, ShowsTheNameTheTimeAndTheCountsOfTheLastBuild) {
  TBuildStats stats;
  stats.Lines = 120;
  stats.Includes = 7;
  stats.Variables = 33;
  stats.Programs = 2;
  WriteBuildStats(BuildStatsFile(), stats);
  WhenUp("FrmInfo", [] {
    EXPECT_EQ(TextOf("FrmInfo", "Edit1"), "My Site");
    EXPECT_EQ(TextOf("FrmInfo", "Label2"), "Build Time (seconds):");
    EXPECT_EQ(TextOf("FrmInfo", "Label3"), "1.5");
    EXPECT_EQ(TextOf("FrmInfo", "Label5"), "120");
    EXPECT_EQ(TextOf("FrmInfo", "Label7"), "7");
    EXPECT_EQ(TextOf("FrmInfo", "Label9"), "33");
    EXPECT_EQ(TextOf("FrmInfo", "Label11"), "2");
    EXPECT_FALSE(IsShown("FrmInfo", "Label12"));
    EXPECT_FALSE(IsShown("FrmInfo", "Label13"));
    Click("FrmInfo", "Button1");
  });
  ShowInfo(0, "My Site", "1.5");
}

TEST(BuildCountTexts, AreNotAvailableWithoutTheLibraryOrAFunction) {
  const std::array<std::string, 5> none{"n/a", "n/a", "n/a", "n/a", "n/a"};
  EXPECT_EQ(BuildCountTexts("libno-such-engine.so"), none);
  // liborvplatform.so is a library without any of the five functions.
  EXPECT_EQ(BuildCountTexts("liborvplatform.so"), none);
}

}  // namespace
}  // namespace orv::test
