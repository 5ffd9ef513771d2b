// The folder browser's status-text shortening and its one-at-a-time rule.
#include "orvsys/dialogs/browse_folder.h"

#include <QFileDialog>
#include <gtest/gtest.h>

#include "controls/controls_test_support.h"

namespace orv {
namespace {

TEST(ShortenStatusPath, KeepsShortPathsAndShortensLongOnes) {
  const struct {
    const char* path;
    const char* shown;
  } cases[] = {
      {"/home/user/site", "/home/user/site"},
      {"/home/user/projects/web/site/source", "/home/user/projects/web/site/source"},  // 35: kept
      {"/home/user/projects/web/site/sources", "/.../user/projects/web/site/sources"},
      {"/home/user/projects/web/a-rather-long-name/src", "/.../web/a-rather-long-name/src"},
      {"/home/user/projects/web/a-rather-long-name/and-more/src", "/.../and-more/src"},
      {"/a/an-extremely-long-folder-name-that-stays", "/.../an-extremely-long-folder-name-that-stays"},
      {"/an-extremely-long-folder-name-that-stays-whole", "/an-extremely-long-folder-name-that-stays-whole"},
      {"no-slashes-at-all-in-this-very-long-path-name", "no-slashes-at-all-in-this-very-long-path-name"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortenStatusPath(c.path), c.shown) << c.path;
}

TEST(BrowseFolder, RefusesASecondOpeningAndReportsCancel) {
  TBrowseFolder browser(nullptr);
  browser.SetName("BrowseFolder1");
  browser.Folder = foMyComputer;
  bool refused = false;
  browser.OnInitialized = [&](intptr_t) {
    std::string inner;
    try {
      browser.Execute(inner);
    } catch (const EBrowseDialogAlreadyShowing& error) {
      refused = std::string(error.what()) == "The browse dialog is already showing.";
    }
    auto* dialog = qobject_cast<QFileDialog*>(test::FindWidget("BrowseFolder1"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->directory().absolutePath(), "/");
    dialog->reject();
  };
  std::string folder = "unchanged";
  EnsureQtApplication();
  EXPECT_FALSE(browser.Execute(folder));
  EXPECT_TRUE(refused);
  EXPECT_EQ(folder, "unchanged");
  EXPECT_FALSE(browser.Showing());
}

}  // namespace
}  // namespace orv
