// Setting-list files as orvsys reads and writes them: a missing file is a
// first run, a damaged one is an error, a failed save leaves the old file.
#include "orvsys/model/data_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/user_settings.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class DataFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() / ("orv-data-files-" + std::to_string(::getpid()))).string() + "/";
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string dir_;
};

TEST_F(DataFilesTest, AMissingFileGivesAnEmptyListWithoutError) {
  TUserSettingList list;
  list.Add("stale", "item");
  EXPECT_NO_THROW(LoadSettingList(list, dir_ + "tools.dat"));
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(DataFilesTest, DamagedOrUnreadableFilesAreErrorsAndEmptyTheList) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"short.dat", std::string("\x01\0", 2)},
      {"negative.dat", std::string("\xff\xff\xff\xff", 4)},
      {"past-end.dat", std::string("\x01\0\0\0\x10\0\0\0ab", 10)},
  };
  for (const auto& c : cases) {
    WriteFileBytes(dir_ + c.name, c.bytes);
    TUserSettingList list;
    list.Add("stale", "item");
    try {
      LoadSettingList(list, dir_ + c.name);
      ADD_FAILURE() << c.name << " was accepted";
    } catch (const EInOutError& error) {
      EXPECT_NE(std::string(error.what()).find(c.name), std::string::npos) << error.what();
    }
    EXPECT_EQ(list.Count(), 0) << c.name;
  }
  fs::create_directories(dir_ + "folder.dat");
  TUserSettingList list;
  EXPECT_THROW(LoadSettingList(list, dir_ + "folder.dat"), EInOutError);
}

TEST_F(DataFilesTest, SavingRoundTripsAndAFailedSaveLeavesTheOldFile) {
  TUserSettingList list;
  list.Add("Menu", "/usr/bin/tool --flag \"a b\"");
  list.Add("Menu", "");
  SaveSettingList(list, dir_ + "tools.dat");
  TUserSettingList read;
  LoadSettingList(read, dir_ + "tools.dat");
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(read.Items(0).Value, "/usr/bin/tool --flag \"a b\"");

  try {
    SaveSettingList(list, dir_ + "no-folder/tools.dat");
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const EInOutError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot write file \"" + dir_ + "no-folder/tools.dat\". No such file or directory");
  }
  for (const auto& entry : fs::directory_iterator(dir_))
    EXPECT_EQ(entry.path().filename().string().find(".~orv"), std::string::npos) << entry.path();
}

TEST_F(DataFilesTest, ShippedDataIsFoundInTheSourceTreeFromTheBuildTree) {
  setenv("ORV_HOME", dir_.c_str(), 1);
  const std::string folder = ShippedDataFolder("templates/2frame.hts");
  EXPECT_TRUE(FileExists(folder + "templates/2frame.hts")) << folder;
  WriteFileBytes(dir_ + "local.txt", "");
  EXPECT_EQ(ShippedDataFolder("local.txt"), dir_);
  EXPECT_EQ(ShippedDataFolder("nowhere/at-all.txt"), dir_);
  EXPECT_EQ(VarsExchangeFile(), TempDir() + "~fsetting.tmp");
  EXPECT_EQ(ToolsFile(), dir_ + "tools.dat");
  EXPECT_EQ(ObjRepFile(), dir_ + "objrep.dat");
}

}  // namespace
}  // namespace orv
