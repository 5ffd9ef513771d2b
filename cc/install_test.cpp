// An install into a fresh prefix works on its own: the installed orvcc finds
// its libraries and builds the example site, and the shipped data lands
// where the programs look for it.
#include <gtest/gtest.h>

#include <filesystem>

#include "cc/run_program_test_support.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

TEST(InstallTest, InstalledOrvccBuildsTheExample) {
  const std::string dir = DataDir() + "install/";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string prefix = dir + "prefix";
  test::Outcome install =
      test::RunProgram(ORV_CMAKE_COMMAND, "--install '" ORV_BINARY_TREE "' --prefix '" + prefix + "'", dir);
  ASSERT_EQ(install.status, 0) << install.out << install.err;
  for (const char* file : {"bin/orvcc", "bin/orvscript", "share/orv/templates/normal.htf",
                           "share/orv/snippets/header.hsn", "share/orv/swatches/web-safe.pal",
                           "share/orv/icons/0-project.svg", "include/orv/core.h"})
    EXPECT_TRUE(fs::exists(prefix + "/" + file)) << file;

  fs::copy(std::string(ORV_SOURCE_TREE) + "/examples/site", dir + "example", fs::copy_options::recursive);
  fs::remove_all(dir + "example/out");
  // Nothing of the build tree may be found: the programs run from the prefix
  // with no library path set.
  test::Outcome build = test::RunProgram("/usr/bin/env", "-u LD_LIBRARY_PATH '" + prefix +
                                                             "/bin/orvcc' --quiet '" + dir + "example/site.orv'",
                                         dir);
  EXPECT_EQ(build.status, 0) << build.err;
  EXPECT_NE(ReadFileBytes(dir + "example/out/index.html").find("<title>"), std::string::npos);
  // Publishing opens its library from the prefix too.
  fs::remove_all(DataDir() + "publish");
  WriteFileBytes(DataDir() + "sites.ini", "[Local]\nurl=file://" + dir + "www\n");
  test::Outcome publish = test::RunProgram(
      "/usr/bin/env", "-u LD_LIBRARY_PATH '" + prefix + "/bin/orvcc' --quiet --publish Local '" + dir + "example/site.orv'",
      dir);
  EXPECT_EQ(publish.status, 0) << publish.err;
  EXPECT_EQ(ReadFileBytes(dir + "www/index.html"), ReadFileBytes(dir + "example/out/index.html"));
  test::Outcome script = test::RunProgram(prefix + "/bin/orvscript", "--version", dir);
  EXPECT_EQ(script.status, 0) << script.err;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace orv
