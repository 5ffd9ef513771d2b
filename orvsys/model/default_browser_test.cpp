// The default browser from the desktop's MIME associations.
#include "orvsys/model/default_browser.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class DefaultBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("orv-browser-" + std::to_string(::getpid()));
    for (const char* dir : {"config", "xdg", "data/applications", "share/applications"})
      fs::create_directories(root_ / dir);
    Set("XDG_CONFIG_HOME", "config");
    Set("XDG_CONFIG_DIRS", "xdg");
    Set("XDG_DATA_HOME", "data");
    setenv("XDG_DATA_DIRS", ("relative:" + (root_ / "share").string()).c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) unsetenv(name);
    fs::remove_all(root_);
  }
  void Set(const char* variable, const char* dir) { setenv(variable, (root_ / dir).c_str(), 1); }
  void Write(const std::string& file, const std::string& text) { WriteFileBytes((root_ / file).string(), text); }

  fs::path root_;
};

TEST_F(DefaultBrowserTest, NothingConfiguredGivesNothing) { EXPECT_EQ(DefaultBrowserCommand(), ""); }

TEST_F(DefaultBrowserTest, TheUsersListWinsAndItsEntryMayLieInTheSystemFolders) {
  Write("share/applications/web.desktop", "[Desktop Entry]\nName=Web\nExec=/usr/bin/web --new %u\n");
  Write("share/applications/other.desktop", "[Desktop Entry]\nExec=other %U\n");
  Write("xdg/mimeapps.list", "[Default Applications]\ntext/html=other.desktop\n");
  Write("config/mimeapps.list", "[Added Associations]\ntext/html=other.desktop\n"
                                "[Default Applications]\ntext/html=missing.desktop;web.desktop;\n");
  EXPECT_EQ(DefaultBrowserCommand(), "/usr/bin/web --new %u");
}

TEST_F(DefaultBrowserTest, LaterListsAndTheUsersEntriesServeWhenEarlierOnesDoNot) {
  Write("share/applications/mimeapps.list", "[Default Applications]\ntext/html=mine.desktop\n");
  Write("share/applications/mine.desktop", "[Desktop Entry]\nExec=system copy\n");
  Write("data/applications/mine.desktop", "[Desktop Entry]\nExec=user copy %f\n");
  Write("xdg/mimeapps.list", "[Default Applications]\ntext/plain=mine.desktop\n");
  EXPECT_EQ(DefaultBrowserCommand(), "user copy %f");
}

TEST_F(DefaultBrowserTest, EntryNamesThatAreNoPlainNamesAreIgnored) {
  Write("config/mimeapps.list", "[Default Applications]\ntext/html=../../escape.desktop\n");
  Write("escape.desktop", "[Desktop Entry]\nExec=escaped\n");
  EXPECT_EQ(DefaultBrowserCommand(), "");
}

}  // namespace
}  // namespace orv
