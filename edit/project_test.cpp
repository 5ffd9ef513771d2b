#include "edit/project.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "orvsys/model/project_options.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/user_settings.h"

namespace orv::edit {
namespace {

class ProjectTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::string(std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp") + "/project_test/";
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    path_ = dir_ + "site.orv";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string dir_, path_;
};

TEST_F(ProjectTest, FoldersAndPagesResolveAgainstTheProjectFile) {
  WriteFileBytes(path_,
                 "[directories]\r\nsrc=src\r\nout=/www/site/\r\n[files]\r\n0=src/index.hts\r\n1=\r\n2=/abs/x.hts\r\n");
  const Project project(path_);
  EXPECT_EQ(project.Name(), "site");
  EXPECT_EQ(project.SourceDir(), dir_ + "src/");
  EXPECT_EQ(project.OutputDir(), "/www/site/");
  EXPECT_EQ(project.ImageDir(), dir_);  // empty: the project's own folder
  EXPECT_EQ(project.Pages(), (std::vector<std::string>{dir_ + "src/index.hts", "/abs/x.hts"}));
  EXPECT_EQ(project.OutputPageOf(dir_ + "src/index.hts"), "/www/site/index.html");
  EXPECT_EQ(project.OutputPageOf(dir_ + "SRC/news/one.hts"), "/www/site/news/one.html");
  EXPECT_EQ(project.OutputPageOf("/elsewhere/page.htm"), "/www/site/page.html");
}

TEST_F(ProjectTest, MissingProjectFileIsAnError) {
  for (const std::string& path : {dir_ + "none.orv", dir_}) EXPECT_THROW(Project{path}, EInOutError) << path;
}

// The options dialog edits [directories], [other] and [Compiler] through
// ~tmppref.ini; every other line of the project file stays as it was.
TEST_F(ProjectTest, OptionsExchangeMapsTheProjectKeys) {
  WriteFileBytes(path_,
                 "; my site\r\n[directories]\r\nsrc=src\r\nout=out\r\nimg=images\r\n[other]\r\nimgprep=img/\r\n"
                 "lineends=lf\r\n[Compiler]\r\nvars=1\r\ndb=0\r\nscripts=1\r\nextapps=0\r\nincludes=1\r\n"
                 "[files]\r\n0=src/a.hts\r\n");
  Project project(path_);
  const std::string exchange = dir_ + "~tmppref.ini";
  project.WriteOptionsExchange(exchange);
  TProjectOptions options = ReadProjectOptions(exchange);
  EXPECT_EQ(options.SourceDir, "src");
  EXPECT_EQ(options.OutputDir, "out");
  EXPECT_EQ(options.ImageDir, "images");
  EXPECT_EQ(options.ImagePrefix, "img/");
  EXPECT_TRUE(options.Vars);
  EXPECT_FALSE(options.Databases);
  EXPECT_FALSE(options.ExtApps);

  options.OutputDir = "/var/www";
  options.ImagePrefix = "";
  options.Scripts = false;
  options.ExtApps = true;
  WriteProjectOptions(exchange, options);
  project.ReadOptionsExchange(exchange);
  EXPECT_EQ(ReadFileBytes(path_),
            "; my site\r\n[directories]\r\nsrc=src\r\nout=/var/www\r\nimg=images\r\n[other]\r\nimgprep=\r\n"
            "lineends=lf\r\n[Compiler]\r\nvars=1\r\ndb=0\r\nscripts=0\r\nextapps=1\r\nincludes=1\r\n"
            "[files]\r\n0=src/a.hts\r\n");
  EXPECT_EQ(project.OutputDir(), "/var/www/");
}

TEST_F(ProjectTest, VariablesExchangeKeepsCaseOrderAndDuplicates) {
  WriteFileBytes(path_, "[variables]\nTitle=Home\ntitle=lower\nYear=2024\n[files]\n0=a.hts\n");
  Project project(path_);
  const std::string exchange = dir_ + "~fsetting.tmp";
  project.WriteVariablesExchange(exchange);
  TUserSettingList list;
  list.LoadFromFile(exchange);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Items(1).Name, "title");
  EXPECT_EQ(list.Items(1).Value, "lower");

  list.Clear();
  list.Add("Title", "New home");
  list.Add("Empty", "");
  list.Add("Title", "second");
  list.SaveToFile(exchange);
  project.ReadVariablesExchange(exchange);
  EXPECT_EQ(ReadFileBytes(path_), "[variables]\nTitle=New home\nEmpty=\nTitle=second\n[files]\n0=a.hts\n");

  // A name the project file cannot hold is refused and nothing changes.
  list.Add("a=b", "x");
  list.SaveToFile(exchange);
  EXPECT_THROW(project.ReadVariablesExchange(exchange), EConvertError);
  EXPECT_EQ(TIniFile(path_).ReadSectionValues("variables").size(), 3u);
}

}  // namespace
}  // namespace orv::edit
