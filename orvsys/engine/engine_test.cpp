#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>

#include "orv/engine.h"
#include "platform/build_stats.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

using Count = int32_t (*)();

// The library as a host opens it: by name, with its functions looked up.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = dlopen((ProgramDir() + "libengine.so").c_str(), RTLD_NOW);
    ASSERT_NE(library_, nullptr) << dlerror();
    DeleteFile(BuildStatsFile());
  }
  void TearDown() override { DeleteFile(BuildStatsFile()); }

  int32_t Call(const char* name) {
    auto function = reinterpret_cast<Count>(dlsym(library_, name));
    if (function == nullptr) ADD_FAILURE() << name << " missing";
    return function ? function() : -1;
  }

  void* library_ = nullptr;
};

TEST_F(EngineTest, CountsOfTheLastBuild) {
  for (const char* name : {"TellnmLines", "TellnmImages", "TellnmVars", "TellnmExec", "TellnmDB"})
    EXPECT_EQ(Call(name), 0) << name << " before any build";
  ForceDirectories(DataDir());
  WriteBuildStats(BuildStatsFile(), {120, 7, 33, 2, 0});
  EXPECT_EQ(Call("TellnmLines"), 120);
  EXPECT_EQ(Call("TellnmImages"), 7);
  EXPECT_EQ(Call("TellnmVars"), 33);
  EXPECT_EQ(Call("TellnmExec"), 2);
  EXPECT_EQ(Call("TellnmDB"), 0);
  WriteFileBytes(BuildStatsFile(), "[Last build]\nLines=oops\nPrograms=5\n");
  EXPECT_EQ(Call("TellnmLines"), 0) << "a damaged count reads as 0";
  EXPECT_EQ(Call("TellnmExec"), 5);
}

TEST(BuildStatsTest, FileRoundTrip) {
  const std::string path = TempDir() + "orv-stats-" + std::to_string(::getpid()) + ".ini";
  WriteBuildStats(path, {1, 2, 3, 4, 5});
  EXPECT_EQ(ReadFileBytes(path),
            "[Last build]\nLines=1\nIncludes=2\nVariables=3\nPrograms=4\nDatabases=5\n");
  TBuildStats back = ReadBuildStats(path);
  EXPECT_EQ(back.Lines, 1);
  EXPECT_EQ(back.Databases, 5);
  DeleteFile(path);
  EXPECT_EQ(ReadBuildStats(path).Lines, 0);
}

}  // namespace
}  // namespace orv
