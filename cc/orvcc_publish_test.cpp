// orvcc --publish and --publish-dry-run, run as a user runs them: a project
// is built and its output folder sent to a site of sites.ini (a folder here;
// the transfers over SFTP and FTP are tested in orvsys/publish).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cc/run_program_test_support.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using test::Outcome;

class OrvccPublishTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = DataDir() + "orvcc publish test/";
    fs::remove_all(dir_);
    fs::remove_all(DataDir() + "publish");
    fs::create_directories(dir_ + "src");
    WriteFileBytes(dir_ + "src/a.hts", "<p><%Who%></p>\n");
    WriteFileBytes(dir_ + "src/b.hts", "<p>b</p>\n");
    WriteFileBytes(dir_ + "p.orv", "[directories]\nsrc=src\nout=out\n[variables]\nWho=me\n[files]\n0=src/a.hts\n1=src/b.hts\n");
    WriteFileBytes(DataDir() + "sites.ini", "[Local]\nurl=file://" + dir_ + "server/www\ndelete=1\n"
                                            "[Nowhere]\nurl=sftp://127.0.0.1:1/www\n");
  }
  void TearDown() override {
    fs::remove_all(dir_);
    fs::remove(DataDir() + "sites.ini");
  }

  // Runs orvcc with `args`, where "P" stands for the project file.
  Outcome Orvcc(std::string args) {
    const size_t at = args.find(" P");
    if (at != std::string::npos) args.replace(at, 2, " '" + dir_ + "p.orv'");
    return test::RunProgram(ProgramDir() + "orvcc", args, dir_);
  }

  std::string dir_;
};

TEST_F(OrvccPublishTest, TheBuiltSiteIsSentAndOnlyChangesTheNextTime) {
  Outcome run = Orvcc("--publish Local P");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(dir_ + "server/www/a.html"), "<p>me</p>\r\n");
  EXPECT_EQ(ReadFileBytes(dir_ + "server/www/b.html"), ReadFileBytes(dir_ + "out/b.html"));
  EXPECT_NE(run.err.find("sent a.html\nsent b.html\nPublished to Local: 2 sent"), std::string::npos) << run.err;

  WriteFileBytes(dir_ + "p.orv", "[directories]\nsrc=src\nout=out\n[variables]\nWho=you\n[files]\n0=src/a.hts\n");
  fs::remove(dir_ + "out/b.html");
  Outcome dry = Orvcc("--publish-dry-run Local P");
  ASSERT_EQ(dry.status, 0) << dry.err;
  EXPECT_EQ(dry.out, "send a.html (12 B)\ndelete b.html\n1 to send (12 B), 1 to delete, 0 unchanged\n");
  EXPECT_EQ(ReadFileBytes(dir_ + "server/www/a.html"), "<p>me</p>\r\n");

  Outcome again = Orvcc("--quiet --publish Local P");
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.err, "");
  EXPECT_EQ(ReadFileBytes(dir_ + "server/www/a.html"), "<p>you</p>\r\n");
  EXPECT_FALSE(fs::exists(dir_ + "server/www/b.html"));
}

TEST_F(OrvccPublishTest, FailuresEndWithTheirReason) {
  struct Case {
    const char* args;
    int status;
    const char* message;
  } cases[] = {
      {"--publish Elsewhere P", 1, "orvcc: there is no site \"Elsewhere\" in "},
      {"--publish Nowhere P", 1, "orvcc: publishing to Nowhere failed: "},
      {"--publish Local missing.orv", 1, "orvcc: project file not found: missing.orv"},
      {"--window --publish Local P", 2, "leave out --window"},
      {"x.orv --publish", 2, "option --publish needs a value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    Outcome run = Orvcc(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(dir_ + "server"));
}

}  // namespace
}  // namespace orv
