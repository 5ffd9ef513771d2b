// orvcc --new as a user runs it: the starter project it writes builds
// without a warning, grows by a page without a change to the project file,
// and a folder that holds anything is refused untouched.
#include "cc/new_project.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "cc/run_program_test_support.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using test::Outcome;

class NewProjectTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = DataDir() + "new project test/";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  Outcome Orvcc(const std::string& args) { return test::RunProgram(ProgramDir() + "orvcc", args, dir_); }

  // Every file and folder below `folder`, relative to it, sorted.
  std::vector<std::string> Tree(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      names.push_back(fs::relative(entry.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir_;
};

TEST_F(NewProjectTest, TheStarterProjectBuildsWithoutWarnings) {
  Outcome created = Orvcc("--new '" + dir_ + "my site'");
  ASSERT_EQ(created.status, 0) << created.err;
  EXPECT_EQ(created.out, "Created a new ORV project in " + dir_ + "my site\nBuild it with:  orvcc " + dir_ +
                             "my site/site.orv\n");
  EXPECT_EQ(Tree(dir_ + "my site"),
            (std::vector<std::string>{"site.orv", "src", "src/footer.hsn", "src/header.hsn", "src/index.hts",
                                      "static", "static/images", "static/style.css"}));

  Outcome built = Orvcc("--strict --quiet '" + dir_ + "my site/site.orv'");
  EXPECT_EQ(built.status, 0) << built.err;
  EXPECT_EQ(built.err, "");
  const std::string index = ReadFileBytes(dir_ + "my site/out/index.html");
  EXPECT_NE(index.find("<title>Home - My new site</title>\n"), std::string::npos) << index;
  EXPECT_NE(index.find("<link rel=\"stylesheet\" href=\"../static/style.css\">"), std::string::npos) << index;
  EXPECT_EQ(index.find('\r'), std::string::npos);
  EXPECT_EQ(index.find("<%"), std::string::npos);

  // A page in a sub-folder needs no line in the project file, and finds the
  // style sheet and the home page from there.
  fs::create_directories(dir_ + "my site/src/notes");
  WriteFileBytes(dir_ + "my site/src/notes/first.hts",
                 "<+ DefVar('Title', 'First') +>\n<&header.hsn&>\n<p>A note.</p>\n<&footer.hsn&>\n");
  built = Orvcc("--strict --quiet '" + dir_ + "my site/site.orv'");
  EXPECT_EQ(built.status, 0) << built.err;
  const std::string note = ReadFileBytes(dir_ + "my site/out/notes/first.html");
  EXPECT_NE(note.find("<link rel=\"stylesheet\" href=\"../../static/style.css\">"), std::string::npos) << note;
  EXPECT_NE(note.find("<a href=\"../index.html\">My new site</a>"), std::string::npos) << note;
}

TEST_F(NewProjectTest, AFolderThatHoldsAnythingIsRefused) {
  fs::create_directories(dir_ + "full/.hidden");
  Outcome run = Orvcc("--new '" + dir_ + "full'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "orvcc: " + dir_ + "full is not empty; give a new or empty folder for the new project\n");
  EXPECT_EQ(Tree(dir_ + "full"), std::vector<std::string>{".hidden"});

  WriteFileBytes(dir_ + "file", "x");
  run = Orvcc("--new '" + dir_ + "file'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "orvcc: " + dir_ + "file exists and is not a folder\n");
  EXPECT_EQ(ReadFileBytes(dir_ + "file"), "x");

  // A folder that cannot be made: nothing is left behind.
  run = Orvcc("--new '" + dir_ + "file/sub'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("orvcc: the new project was not created: cannot create folder"), std::string::npos)
      << run.err;

  fs::create_directories(dir_ + "empty");
  EXPECT_EQ(Orvcc("--new='" + dir_ + "empty'").status, 0);
  EXPECT_TRUE(FileExists(dir_ + "empty/site.orv"));
}

TEST_F(NewProjectTest, UsageErrors) {
  Outcome run = Orvcc("--new '" + dir_ + "a' p.orv");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "orvcc: --new takes a folder and no project file (try orvcc --help)\n");
  EXPECT_FALSE(fs::exists(dir_ + "a"));
  EXPECT_EQ(Orvcc("--new").status, 2);
  run = Orvcc("--new=");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "orvcc: --new needs the folder to create the project in\n");
}

// Missing parents are made; a final '/' changes nothing.
TEST(CreateStarterProjectTest, MakesMissingParents) {
  const std::string dir = DataDir() + "new project parents/";
  fs::remove_all(dir);
  EXPECT_EQ(CreateStarterProject(dir + "made/deeper/"), "");
  EXPECT_EQ(ReadFileBytes(dir + "made/deeper/site.orv"), StarterFiles().front().Text);
  EXPECT_EQ(ReadFileBytes(dir + "made/deeper/static/style.css"), StarterFiles().back().Text);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace orv
